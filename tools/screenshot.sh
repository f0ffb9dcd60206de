#!/usr/bin/env bash
# Pictures of the window program connected to the controller simulator, taken
# on a virtual display: the main window and the full-window live display (F10).
#
#   tools/screenshot.sh [--lang INDEX] [BUILD_DIR [OUT_DIR]]     (defaults: build, docs)
#
# With --lang (an interface language index 0..13: 3 German, 5 Czech, 12 Thai,
# 13 Hungarian, ...) it takes instead the main window and the "Panel Gaz"
# settings page in that language, as main-window-<code>.png and
# settings-page-<code>.png (code: cs, th, hu, de, ...), to check long or tall
# texts for clipping.
#
# SETTLE (seconds, default 5) is how long live values run before the first picture.
set -euo pipefail
cd "$(dirname "$0")/.."
lang=""
if [ "${1:-}" = "--lang" ]; then
  lang="${2:-}"
  [[ "$lang" =~ ^([0-9]|1[0-3])$ ]] || {
    echo "--lang takes a language index 0..13" >&2
    exit 2
  }
  shift 2
fi
build="${1:-build}"
out="${2:-docs}"
settle="${SETTLE:-5}"

# shellcheck source=tools/ui-session.sh
source tools/ui-session.sh
trap session_end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

session_begin "$build"
mkdir -p "$out"
session_xvfb 1280x1024
session_sim --seed 1
session_vexor --no-splash --module lpg --lang "${lang:-0}"
sleep "$settle"

if [ -n "$lang" ]; then
  codes=(pl en ru de tr cs hr sl lt it es pt th hu)
  code="${codes[$lang]}"
  session_grab "$VEXOR_WIN" "$out/main-window-$code.png"
  echo "wrote $out/main-window-$code.png"
  # The second tab, the gas panel (the settings page with the most labels),
  # starts about 80 pixels in whatever the language; its row lies just below
  # the switch group, whatever the script's line height.
  xdotool mousemove --window "$VEXOR_WIN" 95 234 click 1
  sleep 1
  session_grab "$VEXOR_WIN" "$out/settings-page-$code.png"
  echo "wrote $out/settings-page-$code.png"
  exit 0
fi
session_grab "$VEXOR_WIN" "$out/main-window.png"
echo "wrote $out/main-window.png"

before="$(session_windows)"
xdotool windowfocus "$VEXOR_WIN"
sleep 0.5
xdotool key F10
# The live display is the window that F10 adds.
display_shown() {
  display_win="$(comm -13 <(echo "$before") <(session_windows) | head -n 1)"
  [ -n "$display_win" ]
}
display_win=""
session_wait 50 display_shown || {
  echo "F10 did not open the live display" >&2
  exit 1
}
# A few ticks of its own timer so that every field holds a value.
sleep 2
session_grab "$display_win" "$out/live-display.png"
echo "wrote $out/live-display.png"
