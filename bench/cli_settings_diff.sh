#!/usr/bin/env bash
# Whole-process timing of the settings comparison and the automatic backup,
# each against the plain command it builds on, with the simulator pacing a
# 38 400 baud line.
#
#   bench/cli_settings_diff.sh [BUILD_DIR] [RUNS]     (defaults: build, 5)
#
# diff FILE FILE   vs  settings save  (no controller: two files read and compared)
# diff FILE        vs  settings show  (the same connection and whole read)
# load + backup    vs  load --no-backup (the backup must add under 5 %)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-5}"
sim="$build/bin/vexor-sim"
cli_bin="$build/bin/vexor-cli"
for b in "$sim" "$cli_bin"; do
  [ -x "$b" ] || { echo "missing $b: build first" >&2; exit 1; }
done

work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$sim" --pace-baud 38400 --link "$work/port" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/port" ] && break; sleep 0.1; done

cli=("$cli_bin" --no-system-ports --port "$work/port" --config-dir "$work/config"
     --data-dir "$work/data")
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# Median wall time in ms of RUNS runs of the command.
median() {
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(now_ms); "$@" >/dev/null 2>&1; t1=$(now_ms)
    times+=( $(( t1 - t0 )) )
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

"${cli[@]}" settings save "$work/a.xset"      # remembers the port
cp "$work/a.xset" "$work/b.xset"
"${cli[@]}" settings set "$work/b.xset" m_base.m_switchRPM 1500 m_injMapTable[5][3000] 7

show=$(median "${cli[@]}" settings show)
save=$(median "${cli[@]}" settings save "$work/c.xset")
diff1=$(median "${cli[@]}" settings diff "$work/b.xset")
diff2=$(median "${cli[@]}" settings diff "$work/a.xset" "$work/b.xset")
# Loads with and without the backup alternate, so a busy machine slows both alike.
plain_times=(); backed_times=()
for _ in $(seq "$runs"); do
  t0=$(now_ms); "${cli[@]}" --no-backup settings load "$work/b.xset" >/dev/null 2>&1; t1=$(now_ms)
  plain_times+=( $(( t1 - t0 )) )
  t0=$(now_ms); "${cli[@]}" settings load "$work/b.xset" >/dev/null 2>&1; t1=$(now_ms)
  backed_times+=( $(( t1 - t0 )) )
done
plain=$(printf '%s\n' "${plain_times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
backed=$(printf '%s\n' "${backed_times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")

python3 - "$show" "$save" "$diff1" "$diff2" "$plain" "$backed" <<'PY'
import sys
show, save, diff1, diff2, plain, backed = map(int, sys.argv[1:])
print(f"settings show {show} ms, settings save {save} ms")
print(f"diff controller/file: {diff1} ms, ratio to show {diff1 / show:.3f}")
print(f"diff file/file:       {diff2} ms, ratio to save {diff2 / save:.3f}")
print(f"load {plain} ms, with backup {backed} ms: backup adds {(backed - plain) / plain * 100:.1f} %")
PY
