#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs
# each for DIBLAB_FUZZ_SECONDS (default 60) from its corpus kept in fuzz/corpus/, as many side by
# side as there are cores. Any finding fails the run; the input that caused it is left in
# build-fuzz/artifacts/. Prints the executions of every target.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

seconds="${DIBLAB_FUZZ_SECONDS:-60}"
build_dir="$DIBLAB_ROOT/build-fuzz"
targets=(leading_number gdi_calls dib_formats rle rle_encoder probe_case script)

install_missing_packages "${DIBLAB_FUZZ_PACKAGES[@]}"
cmake -S "$DIBLAB_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDIBLAB_FUZZ=ON \
  -DDIBLAB_WARNINGS_AS_ERRORS=ON -DDIBLAB_BUILD_GUI=OFF -DDIBLAB_BUILD_TESTS=OFF \
  -DDIBLAB_BUILD_BENCH=OFF
cmake --build "$build_dir" -j "$DIBLAB_JOBS" --target "${targets[@]/%/_fuzzer}" diblab_fuzz_regression_tests

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build_dir/artifacts"

echo "-- the fuzzers' findings so far, one call each"
"$build_dir/fuzz/diblab_fuzz_regression_tests" --gtest_brief=1

# Runs one target from its kept corpus; new inputs go to a scratch corpus so the kept one only
# changes on purpose.
fuzz_target() {
  local target="$1"
  local scratch="$build_dir/corpus/$target"
  rm -rf "$scratch"
  mkdir -p "$scratch"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$build_dir/artifacts/$target-")
  if [ -f "$DIBLAB_ROOT/fuzz/$target.dict" ]; then
    options+=(-dict="$DIBLAB_ROOT/fuzz/$target.dict")
  fi
  "$build_dir/fuzz/${target}_fuzzer" "${options[@]}" "$scratch" "$DIBLAB_ROOT/fuzz/corpus/$target" \
    >"$build_dir/$target.log" 2>&1
}

# Each target is single-threaded: run as many side by side as there are cores, each for the full
# time.
failed=()
for ((first = 0; first < ${#targets[@]}; first += DIBLAB_JOBS)); do
  batch=("${targets[@]:first:DIBLAB_JOBS}")
  echo "-- ${batch[*]}: ${seconds} s"
  pids=()
  for target in "${batch[@]}"; do
    fuzz_target "$target" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    if ! wait "${pids[$i]}"; then
      failed+=("${batch[$i]}")
    fi
  done
done
for target in "${failed[@]}"; do
  tail -n 60 "$build_dir/$target.log"
  echo "Fuzzing found a fault in $target; the input is in $build_dir/artifacts/" >&2
done
if [ "${#failed[@]}" -ne 0 ]; then
  exit 1
fi

summary=()
for target in "${targets[@]}"; do
  log="$build_dir/$target.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=("$(printf '%-16s %12s executions %8s per second' "$target" "$runs" "$rate")")
done
printf '%s\n' "${summary[@]}"
