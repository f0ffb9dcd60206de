#!/usr/bin/env bash
# Installs what is missing, builds VEXOR and starts it.
#
#   ./run.sh             the window program on the controller simulator
#   ./run.sh --hardware  the window program on a real controller (ordinary port search)
#
# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) the command-line
# front end runs instead: the controller's identity and twenty live records.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  echo "usage: ./run.sh [--hardware]"
}
hardware=0
case "${1:-}" in
  "") ;;
  --hardware) hardware=1 ;;
  -h | --help) usage; exit 0 ;;
  *) echo "run.sh: unknown option: $1" >&2; usage >&2; exit 2 ;;
esac
if [ $# -gt 1 ]; then usage >&2; exit 2; fi

./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Only the programs this script starts (./test.sh builds the rest); the window
# program is there when Qt 6 was found.
targets=(vexor-sim vexor-cli)
if ninja -C build -t query vexor >/dev/null 2>&1; then targets+=(vexor); fi
cmake --build build -j"$(nproc)" --target "${targets[@]}"

window=1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line front end instead."
  window=0
elif [ ! -x build/bin/vexor ]; then
  echo "The window program was not built (Qt 6 missing?): running the command-line front end instead."
  window=0
fi

cli_run() {
  "$@" identify
  "$@" live -n 20
}

if [ "$hardware" -eq 1 ]; then
  # A real controller: the ordinary port search and the user's own settings.
  if [ "$window" -eq 1 ]; then
    exec ./build/bin/vexor
  fi
  cli_run ./build/bin/vexor-cli
  exit 0
fi

# Everything of a simulator run (the port link, the remembered port, the data
# folder) lives in a temporary folder, so the user's own settings stay.
work="$(mktemp -d)"
sim_pid=""
app_pid=""
stop() {
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  stop "$app_pid"
  stop "$sim_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

./build/bin/vexor-sim --link "$work/port" >"$work/sim.out" 2>&1 &
sim_pid=$!
# The link appears once the simulator serves; give it five seconds.
for _ in $(seq 50); do
  if [ -e "$work/port" ] && [ -s "$work/sim.out" ]; then break; fi
  if ! kill -0 "$sim_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if [ ! -e "$work/port" ]; then
  echo "The simulator did not start:" >&2
  cat "$work/sim.out" >&2
  exit 1
fi
echo "Simulator: $(head -n 1 "$work/sim.out") (linked as $work/port)"

common=(--no-system-ports --port "$work/port" --config-dir "$work/config" --data-dir "$work/data")
if [ "$window" -eq 1 ]; then
  # Waited for in the background, so that an interrupt or TERM reaches the
  # traps at once; the exit trap stops the simulator once the window closes.
  ./build/bin/vexor "${common[@]}" &
  app_pid=$!
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
  exit "$status"
else
  cli_run ./build/bin/vexor-cli "${common[@]}"
fi
