#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test through CTest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${DIBLAB_PACKAGES[@]}" "${DIBLAB_TEST_PACKAGES[@]}"
configure_and_build "$DIBLAB_ROOT/build" -DDIBLAB_DIFFTEST=ON
ctest --test-dir "$DIBLAB_ROOT/build" --output-on-failure -j "$DIBLAB_JOBS"
