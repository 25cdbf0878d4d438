#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs
# each for DIBLAB_FUZZ_SECONDS (default 60) from its corpus kept in fuzz/corpus/. Any finding
# fails the run; the input that caused it is left in build-fuzz/artifacts/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

seconds="${DIBLAB_FUZZ_SECONDS:-60}"
build_dir="$DIBLAB_ROOT/build-fuzz"
targets=(leading_number gdi_calls probe_case script)

install_missing_packages "${DIBLAB_FUZZ_PACKAGES[@]}"
cmake -S "$DIBLAB_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDIBLAB_FUZZ=ON \
  -DDIBLAB_WARNINGS_AS_ERRORS=ON -DDIBLAB_BUILD_GUI=OFF -DDIBLAB_BUILD_TESTS=OFF \
  -DDIBLAB_BUILD_BENCH=OFF
cmake --build "$build_dir" -j "$DIBLAB_JOBS" --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build_dir/artifacts"
summary=()
for target in "${targets[@]}"; do
  # New inputs go to a scratch corpus so the kept one only changes on purpose.
  scratch="$build_dir/corpus/$target"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$build_dir/artifacts/$target-")
  if [ -f "$DIBLAB_ROOT/fuzz/$target.dict" ]; then
    options+=(-dict="$DIBLAB_ROOT/fuzz/$target.dict")
  fi
  log="$build_dir/$target.log"
  echo "-- $target: ${seconds} s"
  if ! "$build_dir/fuzz/${target}_fuzzer" "${options[@]}" "$scratch" "$DIBLAB_ROOT/fuzz/corpus/$target" \
       >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "Fuzzing found a fault in $target; the input is in $build_dir/artifacts/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=("$(printf '%-16s %12s executions %8s per second' "$target" "$runs" "$rate")")
done
printf '%s\n' "${summary[@]}"
