#!/usr/bin/env bash
# The window program on the controller simulator under a virtual display, left
# running with live data: its CPU share and how its resident size grows.
#
#   bench/ui_soak.sh [FIRST_S [SECOND_S [BUILD_DIR]]]   (defaults: 60 600 build)
#
# CPU:    user + system time of `vexor` as a share of one core, over the 60 s
#         from FIRST_S on and over FIRST_S .. SECOND_S.
# Memory: VmRSS at FIRST_S and at SECOND_S after the window showed; the growth
#         between them (the goal is at most 1 MB).
# The system's load average is printed at start and end, since other work on
# the machine shows in the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
first="${1:-60}"
second="${2:-600}"
build="${3:-build}"
cpu_span=60
if [ "$first" -lt 1 ] || [ "$second" -lt $((first + cpu_span)) ]; then
  echo "need 1 <= FIRST_S and FIRST_S + $cpu_span <= SECOND_S (got $first, $second)" >&2
  exit 2
fi

# shellcheck source=tools/ui-session.sh
source tools/ui-session.sh
trap session_end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

session_begin "$build"
session_xvfb 1280x1024
session_sim --seed 1
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
session_vexor --no-splash --module lpg
start=$SECONDS
hz="$(getconf CLK_TCK)"

# Sleeps until the given number of seconds after the window showed.
sleep_until() {
  local left=$(($1 - (SECONDS - start)))
  if [ "$left" -gt 0 ]; then sleep "$left"; fi
  kill -0 "$VEXOR_PID" 2>/dev/null || {
    echo "vexor ended early:" >&2
    cat "$SESSION_WORK/vexor.out" >&2
    exit 1
  }
}
share() { # ticks seconds -> percent of one core
  awk -v t="$1" -v s="$2" -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

sleep_until "$first"
rss1="$(session_rss_kb "$VEXOR_PID")"
ticks1="$(session_cpu_ticks "$VEXOR_PID")"
echo "rss at ${first} s: ${rss1} kB"

# One sample a minute in between shows the trend, not only the two ends.
trend="$rss1"
t=$((first + cpu_span))
while [ "$t" -le "$second" ]; do
  sleep_until "$t"
  trend="$trend $(session_rss_kb "$VEXOR_PID")"
  if [ "$t" -eq $((first + cpu_span)) ]; then
    ticks2="$(session_cpu_ticks "$VEXOR_PID")"
    echo "cpu ${first}..${t} s: $(share $((ticks2 - ticks1)) "$cpu_span") % of one core"
  fi
  t=$((t + 60))
done
sleep_until "$second"
rss2="$(session_rss_kb "$VEXOR_PID")"
ticks3="$(session_cpu_ticks "$VEXOR_PID")"
echo "rss each minute from ${first} s (kB): $trend"
echo "rss at ${second} s: ${rss2} kB (growth $((rss2 - rss1)) kB)"
echo "cpu ${first}..${second} s: $(share $((ticks3 - ticks1)) $((second - first))) % of one core"
echo "threads: $(awk '/^Threads:/ { print $2 }' "/proc/$VEXOR_PID/status")"
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ $((rss2 - rss1)) -gt 1024 ]; then
  echo "resident size grew by more than 1 MB" >&2
  exit 1
fi
