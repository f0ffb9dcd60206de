#!/usr/bin/env bash
# Installs what is missing, builds VEXOR, and drives the controller simulator
# with the command-line front end: identify, then twenty live records.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

# Everything of this run (the simulator's port link, the remembered port, the
# data folder) lives in a temporary folder, so the user's own settings stay.
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

./build/bin/vexor-sim --link "$work/port" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do
  if [ -s "$work/sim.out" ] && [ -e "$work/port" ]; then break; fi
  sleep 0.1
done
echo "Simulator: $(head -n 1 "$work/sim.out")"

cli=(./build/bin/vexor-cli --no-system-ports --port "$work/port"
     --config-dir "$work/config" --data-dir "$work/data")
"${cli[@]}" identify
"${cli[@]}" live -n 20
