#!/usr/bin/env bash
# Soak run: `vexor-cli live --record` polls the simulator pacing a 38 400 baud
# line for an hour while the line drops every few minutes and the controller
# comes back (a pulled and replugged adapter). Every minute the resident
# memory and the open descriptors of the polling process are sampled.
#
#   bench/soak.sh [--window] [--duration S] [--sample S] [--hang-up-every S]
#                 [--return-after MS] [BUILD_DIR]
#   defaults: 3600 s, 60 s, 240 s, 2000 ms, build
#
# Reported: the samples, the growth of memory and descriptors after the
# first sample (the goal is none), the hang-ups the line saw, and whether the
# recording holds every record the program printed (same lines, same order).
#
# --window runs the window program `vexor` instead, on a virtual display
# (Xvfb, driven with xdotool): the oscilloscope records into a file while the
# map page shows the live point. The window program prints nothing per
# record, so the recording is checked on its own: every line a whole record of
# 24 fields, the file ending on a whole line, and records still arriving after
# every hang-up (the recording went on in the same file). The exact
# one-line-per-delivered-record check is the window program's Qt test.
set -euo pipefail
cd "$(dirname "$0")/.."

window=no duration=3600 sample=60 hangup=240 return_ms=2000 build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --window) window=yes; shift ;;
    --duration) duration="$2"; shift 2 ;;
    --sample) sample="$2"; shift 2 ;;
    --hang-up-every) hangup="$2"; shift 2 ;;
    --return-after) return_ms="$2"; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    *) build="$1"; shift ;;
  esac
done

# The window program on the paced simulator: record on the oscilloscope page,
# then show the map page, and sample vexor while the line drops and returns.
soak_window() {
  # shellcheck source=tools/ui-session.sh
  source tools/ui-session.sh
  trap session_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  session_begin "$build"
  session_xvfb 1280x1024
  session_sim --seed 1 --pace-baud 38400 --hang-up-every "$hangup" --return-after "$return_ms"
  session_vexor --no-splash --module lpg --lang 0
  local win="$VEXOR_WIN" before dialog
  # Places on the main window at its start-up size (1024 x 746): the tabs
  # "Oscyloskop" and "Mapa", the page's record button; in the dialogs the
  # password field and its OK button.
  local osc_tab="409 227" map_tab="484 227" record="472 648" pw_field="110 41" pw_ok="160 90"
  new_window() { comm -13 <(echo "$before") <(session_windows) | head -n 1; }
  dialog_shown() { dialog="$(new_window)"; [ -n "$dialog" ]; }
  sleep 2
  # shellcheck disable=SC2086
  xdotool mousemove --window "$win" $osc_tab click 1
  sleep 1
  before="$(session_windows)"
  # shellcheck disable=SC2086
  xdotool mousemove --window "$win" $record click 1
  session_wait 50 dialog_shown || { echo "no file dialog after Record" >&2; return 1; }
  sleep 0.5
  xdotool type --window "$dialog" soak
  xdotool key --window "$dialog" Return
  local osc="$SESSION_WORK/data/Oscyloskop/soak.osc"
  session_wait 50 session_file_filled "$osc" || { echo "the recording did not start" >&2; return 1; }
  before="$(session_windows)"
  # shellcheck disable=SC2086
  xdotool mousemove --window "$win" $map_tab click 1
  session_wait 50 dialog_shown || { echo "no password question on the map page" >&2; return 1; }
  sleep 0.5
  # shellcheck disable=SC2086
  xdotool mousemove --window "$dialog" $pw_field click 1
  xdotool type --window "$dialog" qtlmr305
  # shellcheck disable=SC2086
  xdotool mousemove --window "$dialog" $pw_ok click 1
  sleep 1
  [ -z "$(new_window)" ] || { echo "the password was not taken" >&2; return 1; }

  printf '%8s %10s %5s %9s %8s\n' seconds rss_kib fds records hang-ups
  local start=$SECONDS first_rss="" first_fds="" max_rss=0 max_fds=0 r f n h now
  local last_n=0 last_h=0 stalled=0
  while :; do
    sleep "$sample"
    kill -0 "$VEXOR_PID" 2>/dev/null || { echo "vexor ended early:" >&2; cat "$SESSION_WORK/vexor.out" >&2; return 1; }
    now=$((SECONDS - start))
    r=$(session_rss_kb "$VEXOR_PID") f=$(ls "/proc/$VEXOR_PID/fd" | wc -l)
    n=$(wc -l <"$osc") h=$(grep -c '^hang-up' "$SESSION_WORK/sim.out" || true)
    printf '%8d %10d %5d %9d %8d\n' "$now" "$r" "$f" "$n" "$h"
    [ -z "$first_rss" ] && first_rss=$r first_fds=$f
    [ "$r" -gt "$max_rss" ] && max_rss=$r
    [ "$f" -gt "$max_fds" ] && max_fds=$f
    # A minute without a new record while the line came back means the
    # recording (or polling) did not go on after a reconnection.
    [ "$n" -gt "$last_n" ] || stalled=$((stalled + 1))
    last_n=$n last_h=$h
    [ "$now" -ge "$duration" ] && break
  done
  # A last record after the last hang-up: give the line time to come back.
  sleep $(( (return_ms + 999) / 1000 + 7 ))
  n=$(wc -l <"$osc")
  local whole=yes bad
  bad=$(awk -F'\t' 'NF != 24' "$osc" | wc -l)
  [ "$bad" -eq 0 ] || whole=no
  [ -z "$(tail -c 1 "$osc")" ] || whole=no
  echo "growth after the first sample: rss $((max_rss - first_rss)) KiB, descriptors $((max_fds - first_fds))"
  echo "hang-ups: $last_h, records recorded: $n, lines not a whole 24-field record: $bad"
  echo "recording ends on a whole line and every line is whole: $whole; samples without a new record: $stalled"
  [ "$whole" = yes ] && [ "$stalled" -eq 0 ]
}
if [ "$window" = yes ]; then
  soak_window
  exit
fi
sim="$build/bin/vexor-sim"
cli_bin="$build/bin/vexor-cli"
for b in "$sim" "$cli_bin"; do
  [ -x "$b" ] || { echo "missing $b: build first" >&2; exit 1; }
done

work="$(mktemp -d)"
sim_pid="" cli_pid=""
cleanup() {
  for p in $cli_pid $sim_pid; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

"$sim" --link "$work/tty" --pace-baud 38400 --hang-up-every "$hangup" \
  --return-after "$return_ms" >"$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/tty" ] && break; sleep 0.1; done

# The live run itself reconnects for as long as the soak lasts.
VEXOR_SYSTEM_PORTS=0 "$cli_bin" --no-system-ports --port "$work/tty" --config-dir "$work/cfg" \
  --data-dir "$work/data" --lang 1 --reconnect-timeout "$duration" \
  live --record "$work/run.osc" >"$work/printed.txt" 2>"$work/cli.err" &
cli_pid=$!

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$cli_pid/status"; }
fds() { ls "/proc/$cli_pid/fd" | wc -l; }

printf '%8s %10s %5s %9s\n' seconds rss_kib fds records
start=$(date +%s)
first_rss="" first_fds="" max_rss=0 max_fds=0
while :; do
  sleep "$sample"
  kill -0 "$cli_pid" 2>/dev/null || { echo "vexor-cli ended early:" >&2; cat "$work/cli.err" >&2; exit 1; }
  now=$(( $(date +%s) - start ))
  r=$(rss) f=$(fds) n=$(wc -l <"$work/printed.txt")
  printf '%8d %10d %5d %9d\n' "$now" "$r" "$f" "$n"
  [ -z "$first_rss" ] && first_rss=$r first_fds=$f
  [ "$r" -gt "$max_rss" ] && max_rss=$r
  [ "$f" -gt "$max_fds" ] && max_fds=$f
  [ "$now" -ge "$duration" ] && break
done

kill -INT "$cli_pid"
wait "$cli_pid" || true
cli_pid=""
hangups=$(grep -c '^hang-up' "$work/sim.out" || true)
printed=$(wc -l <"$work/printed.txt")
recorded=$(wc -l <"$work/run.osc")
same=no
cmp -s "$work/printed.txt" "$work/run.osc" && same=yes
echo "growth after the first sample: rss $((max_rss - first_rss)) KiB, descriptors $((max_fds - first_fds))"
echo "hang-ups: $hangups, reconnections reported: $(grep -c 'przywrócone\|is back' "$work/cli.err" || true)"
echo "records printed: $printed, recorded: $recorded, recording identical to printed: $same"
[ "$same" = yes ]
