#!/usr/bin/env bash
# Soak run: `vexor-cli live --record` polls the simulator pacing a 38 400 baud
# line for an hour while the line drops every few minutes and the controller
# comes back (a pulled and replugged adapter). Every minute the resident
# memory and the open descriptors of the polling process are sampled.
#
#   bench/soak.sh [--duration S] [--sample S] [--hang-up-every S]
#                 [--return-after MS] [BUILD_DIR]
#   defaults: 3600 s, 60 s, 240 s, 2000 ms, build
#
# Reported: the samples, the growth of memory and descriptors after the
# first sample (the goal is none), the hang-ups the line saw, and whether the
# recording holds every record the program printed (same lines, same order).
set -euo pipefail
cd "$(dirname "$0")/.."

duration=3600 sample=60 hangup=240 return_ms=2000 build=build
while [ $# -gt 0 ]; do
  case "$1" in
    --duration) duration="$2"; shift 2 ;;
    --sample) sample="$2"; shift 2 ;;
    --hang-up-every) hangup="$2"; shift 2 ;;
    --return-after) return_ms="$2"; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) build="$1"; shift ;;
  esac
done
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
