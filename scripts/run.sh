#!/usr/bin/env bash
# Builds DIB Lab and opens its window. Without a display it shows the window on a virtual one,
# saves a screenshot as diblab-window.png in the current folder and ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${DIBLAB_PACKAGES[@]}"
configure_and_build "$DIBLAB_ROOT/build"

diblab="$DIBLAB_ROOT/build/app/diblab"
if [ -n "${DISPLAY:-}" ]; then
  exec "$diblab"
fi
screenshot="$PWD/diblab-window.png"
xvfb-run -a -s "-screen 0 1024x768x24" "$diblab" --screenshot "$screenshot"
echo "No display: saved a screenshot of the window as $screenshot"
