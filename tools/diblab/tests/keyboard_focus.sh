#!/bin/bash
# Drives the real window on a virtual X display with real key events, with a window manager
# (openbox) or without one, and checks that the keyboard works from the start and after every
# dialog: Tab from the first control to the #Lines field, typing, F1 and its help box, Ctrl+S with
# a name typed into the save dialog, Ctrl+O, Ctrl+S right after opening, and Ctrl+Q. The saved
# experiments show where the typed digits went.
#
# Usage: keyboard_focus.sh DIBLAB with-wm|without-wm
# Exits 77 (skipped) where xvfb-run, xdotool or, with a window manager, openbox is missing.
set -u

readonly skipped=77
readonly no_display=75
diblab=$(realpath "$1")
mode=$2

if [ "${3:-}" != --inside ]; then
  for tool in xvfb-run Xvfb xdotool timeout; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit $skipped; }
  done
  if [ "$mode" = with-wm ] && ! command -v openbox >/dev/null; then
    echo "skipped: openbox is not installed"
    exit $skipped
  fi
  # xvfb-run -a can hand two runs that start together the same display, and one of them then
  # has none: that run is made again on another.
  for _ in 1 2 3; do
    timeout -k 5 60 xvfb-run -a -n $((100 + RANDOM % 900)) -s "-screen 0 1024x768x24" \
      "$0" "$diblab" "$mode" --inside
    status=$?
    [ "$status" -eq "$no_display" ] || exit "$status"
  done
  echo "FAILED ($mode): no virtual display could be opened" >&2
  exit 1
fi

if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  echo "display $DISPLAY cannot be opened"
  exit $no_display
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED ($mode): $*" >&2
  echo "  keyboard focus: $(xdotool getwindowfocus 2>/dev/null || echo none)" >&2
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "  visible window $id: $(xdotool getwindowname "$id" 2>&1)" >&2
  done
  [ -n "${DIBLAB_FOCUS_SCREENSHOT:-}" ] && import -window root "$DIBLAB_FOCUS_SCREENSHOT" 2>/dev/null
  [ -s "$work/diblab.err" ] && sed 's/^/  diblab: /' "$work/diblab.err" >&2
  exit 1
}

# Waits up to five seconds for a visible window whose whole title is $1 to have the keyboard
# focus, and prints its id.
wait_for_focused_window() {
  local id
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  fail "no window '$1' took the keyboard"
}

# Waits up to five seconds for the window titled $1 to go away and the main window to have the
# keyboard again.
wait_until_back() {
  for _ in $(seq 50); do
    if ! xdotool search --onlyvisible --name "^$1\$" >/dev/null &&
      [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main_window" ]; then
      return 0
    fi
    sleep 0.1
  done
  fail "the keyboard did not come back to the window after '$1'"
}

press() { timeout 5 xdotool key --delay 30 "$@" || fail "xdotool key $*"; }
type_text() { timeout 10 xdotool type --delay 20 "$1" || fail "xdotool type $1"; }

# Answers the file dialog titled $1 with the path $2 typed over its name field, then waits for the
# dialog to close. A second Return takes the place of the first when a completion list took it.
answer_file_dialog() {
  wait_for_focused_window "$1" >/dev/null
  press ctrl+a
  type_text "$2"
  press Return
  for _ in 1 2 3; do
    sleep 0.3
    xdotool search --onlyvisible --name "^$1\$" >/dev/null || break
    press Return
  done
  wait_until_back "$1"
}

if [ "$mode" = with-wm ]; then
  openbox --sm-disable --startup "touch $work/wm-ready" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/wm-ready" ] && break; sleep 0.1; done
  [ -e "$work/wm-ready" ] || fail "openbox did not start"
fi

cd "$work" || exit 1
XDG_CONFIG_HOME="$work/settings" "$diblab" 2>"$work/diblab.err" &
pids+=($!)
diblab_pid=$!
main_window=$(wait_for_focused_window "DIB Lab Ver\\. .*") || exit 1

# From the first control in tab order, four Tabs reach #Lines, which Tab selects whole.
press Tab Tab Tab Tab
type_text 5
press F1
wait_for_focused_window "DIB Lab" >/dev/null
press Escape
wait_until_back "DIB Lab"
type_text 3
press ctrl+s
answer_file_dialog "Save Experiment" "$work/after-help.dls"
type_text 1
press ctrl+s
answer_file_dialog "Save Experiment" "$work/after-save.dls"
press ctrl+o
answer_file_dialog "Open Experiment" "$work/after-help.dls"
press ctrl+s
answer_file_dialog "Save Experiment" "$work/after-open.dls"
press ctrl+q
for _ in $(seq 50); do kill -0 "$diblab_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$diblab_pid" 2>/dev/null && fail "Ctrl+Q did not close the window"

expect_lines() {
  [ -f "$work/$1" ] || fail "$1 was not saved"
  grep -qx "set Text2(3) $2" "$work/$1" ||
    fail "$1 lacks 'set Text2(3) $2':$(printf '\n%s' "$(grep '^set' "$work/$1")")"
}
expect_lines after-help.dls 53
expect_lines after-save.dls 531
expect_lines after-open.dls 53
echo "passed ($mode)"
