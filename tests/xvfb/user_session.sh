#!/usr/bin/env bash
# A user's session on a real X server (Xvfb) with a window manager (openbox), driven by xdotool:
# type into the pre-pressure field, click the volume button, return with Alt+V, once with a
# rejected entry (the message box must appear and be closed) and once with an accepted one, then
# end with Alt+K. What the window shows is read back through the clipboard (Ctrl+A, Ctrl+C on a
# field, then the expans-clipboard probe), and windows are found by their titles; every wait
# polls with a deadline, so a slow machine only makes the run slower.
#
# Usage: tests/xvfb/user_session.sh <orvenda-expans executable> [expans-clipboard probe]
set -euo pipefail

exe=$(realpath "$1")
probe=$(realpath -m "${2:-$(dirname "$exe")/../tools/expans-clipboard}")
[ -x "$probe" ] || { echo "user session: no clipboard probe at $probe" >&2; exit 1; }
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "user session: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "user session: FAILED: $*" >&2
  if [ -s "$work/app.log" ]; then sed 's/^/  app: /' "$work/app.log" >&2; fi
  exit 1
}

# shellcheck source=display.sh
source "$(dirname "$0")/display.sh"
start_xvfb
# The program and the clipboard probe both talk to this X server, whatever the caller had set.
export QT_QPA_PLATFORM=xcb

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
poll 15 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8 "$exe" >"$work/app.log" 2>&1 &
app=$!
pids+=("$app")

# xdotool matches titles byte by byte: "HIBÁS ADAT" is found without its two-byte letter.
box_title='^HIB.*S ADAT$'

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
hidden() { ! visible "$1"; }

poll 30 visible '^Orvenda-Expans$' || fail "the main window did not appear"
main=$(xdotool search --onlyvisible --name '^Orvenda-Expans$' | head -n1)

activate() { timeout 10 xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true; }
# The menu bar lies above the designed 877 x 527 client area: its height is the rest.
window_height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
menu=$((window_height - 527))
((menu >= 0 && menu < 100)) || fail "unexpected main window height $window_height"
click() { xdotool mousemove --window "$main" "$1" $(($2 + menu)) click 1; }

# Centres of the controls, in pixels of the main window's client area.
text2=(421 248)
command2=(350 154)
text10=(510 44)

# field_is <x> <y> <expected>: copies the field's text and compares, retrying until a deadline.
copied=""
copy_field() {
  click "$1" "$2"
  sleep 0.2
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  copied=$("$probe" 2>/dev/null || true)
  [ "$copied" = "$3" ]
}
field_is() {
  poll 10 copy_field "$@" || fail "expected '$3' at ($1, $2), the field shows '$copied'"
}

type_into() {
  click "$1" "$2"
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 50 "$3"
}

return_from_volume_window() {
  timeout 10 xdotool search --onlyvisible --name '^Rendszerterfogat' windowactivate --sync \
    >/dev/null 2>&1 || true
  xdotool key alt+v
  poll 15 hidden '^Rendszerterfogat' || fail "the volume window did not close"
}

activate
echo "user session: start-up state"
field_is "${text10[@]}" "4,11"

echo "user session: a rejected pre-pressure, then the volume button"
type_into "${text2[@]}" "4"
click "${command2[@]}"
poll 15 visible "$box_title" || fail "no message box for a pre-pressure equal to the fill pressure"
box=$(xdotool search --onlyvisible --name "$box_title" | head -n1)
timeout 10 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
xdotool key Return
poll 15 hidden "$box_title" || fail "the message box did not close"
poll 15 visible '^Rendszerterfogat' || fail "the volume window did not open after the message"
return_from_volume_window
activate
field_is "${text2[@]}" "3,5"
field_is "${text10[@]}" "4,11"

echo "user session: an accepted pre-pressure, then the volume button"
type_into "${text2[@]}" "3"
click "${command2[@]}"
poll 15 visible '^Rendszerterfogat' || fail "the volume window did not open"
visible "$box_title" && fail "a message box for an accepted pre-pressure"
return_from_volume_window
activate
field_is "${text2[@]}" "3"
# The focus return to the volume button recalculated the panel with the new pre-pressure.
field_is "${text10[@]}" "4,12"

echo "user session: Alt+K ends the program"
activate
xdotool key alt+k
poll 15 sh -c "! kill -0 $app 2>/dev/null" || fail "the program did not end on Alt+K"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "user session: passed"
