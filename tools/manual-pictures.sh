#!/usr/bin/env bash
# Takes the pictures of the fitter's manual (docs/manual/img) with the window
# program connected to the controller simulator on a virtual display, in
# English, so they can be retaken after every change of the windows:
#   main-window.png   the main window with live values
#   live-display.png  the full-window live display (F10)
#   map.png           the map page after the service password, with the live point
#   job-sheet.png     the first page of the job sheet (vexor-cli report, as PNG)
#   history.png       the vehicle history after that visit and a map change
#
#   tools/manual-pictures.sh [BUILD_DIR]        (default: build)
#
# SETTLE (seconds, default 5) is how long live values run before the first picture.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
out=docs/manual/img
settle="${SETTLE:-5}"

# shellcheck source=tools/ui-session.sh
source tools/ui-session.sh
trap session_end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

session_begin "$build"
session_need pdftoppm
mkdir -p "$out"
session_xvfb 1280x1024
session_sim --seed 1
session_vexor --no-splash --module lpg --lang 1
sleep "$settle"
session_grab "$VEXOR_WIN" "$out/main-window.png"
echo "wrote $out/main-window.png"

before="$(session_windows)"
xdotool windowfocus "$VEXOR_WIN"
sleep 0.5
xdotool key F10
display_win=""
display_shown() {
  display_win="$(comm -13 <(echo "$before") <(session_windows) | head -n 1)"
  [ -n "$display_win" ]
}
session_wait 50 display_shown || {
  echo "F10 did not open the live display" >&2
  exit 1
}
sleep 2
session_grab "$display_win" "$out/live-display.png"
echo "wrote $out/live-display.png"
xdotool windowfocus "$display_win"
sleep 0.3
xdotool key F10
display_gone() { ! session_windows | grep -qx "$display_win"; }
session_wait 50 display_gone || {
  echo "F10 did not close the live display" >&2
  exit 1
}

# The map is the sixth page (petrol, gas, switch, calibration, oscilloscope,
# map): five Ctrl+Tab from the first, then the service password.
xdotool windowfocus "$VEXOR_WIN"
sleep 0.3
before="$(session_windows)"
for _ in 1 2 3 4 5; do
  xdotool key ctrl+Tab
  sleep 0.3
done
# The password dialog is the window the page adds.
password_win=""
password_shown() {
  password_win="$(comm -13 <(echo "$before") <(session_windows) | head -n 1)"
  [ -n "$password_win" ]
}
session_wait 50 password_shown || {
  echo "the map page asked for no password" >&2
  exit 1
}
xdotool windowfocus "$password_win"
sleep 0.3
xdotool type --delay 50 "qtlmr305"
xdotool key Return
password_gone() { ! session_windows | grep -qx "$password_win"; }
session_wait 50 password_gone
sleep "$settle"
session_grab "$VEXOR_WIN" "$out/map.png"
echo "wrote $out/map.png"
session_stop "$VEXOR_PID"
VEXOR_PID=""

# The job sheet as the CLI writes it, first page only.
"$SESSION_BUILD/bin/vexor-cli" --no-system-ports --port "$SESSION_WORK/port" \
  --config-dir "$SESSION_WORK/config" --data-dir "$SESSION_WORK/data" --lang 1 \
  report "$SESSION_WORK/sheet.pdf"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$SESSION_WORK/sheet.pdf" "$out/job-sheet"
echo "wrote $out/job-sheet.png"

# A map change (its backup and changed settings) on top of the visit, then
# the vehicle history from the File menu (Alt+F, V).
"$SESSION_BUILD/bin/vexor-cli" --no-system-ports --port "$SESSION_WORK/port" \
  --config-dir "$SESSION_WORK/config" --data-dir "$SESSION_WORK/data" --lang 1 \
  map add 5 5 2 2 3 >/dev/null
session_vexor --no-splash --module lpg --lang 1
sleep "$settle"
before="$(session_windows)"
xdotool windowfocus "$VEXOR_WIN"
sleep 0.5
xdotool key alt+f
sleep 0.5
xdotool key v
history_win=""
history_shown() {
  history_win="$(comm -13 <(echo "$before") <(session_windows) | head -n 1)"
  [ -n "$history_win" ]
}
session_wait 50 history_shown || {
  echo "File -> Vehicle history opened no window" >&2
  exit 1
}
sleep 1
session_grab "$history_win" "$out/history.png"
echo "wrote $out/history.png"
