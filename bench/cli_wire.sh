#!/usr/bin/env bash
# Whole-process timing of vexor-cli against the simulator pacing a 38 400 baud
# line, compared with the pure wire time of the exchanges each run makes.
#
#   bench/cli_wire.sh [BUILD_DIR]      (default: build)
#
# flash:    a full image (90 052 bytes, 642 programmed pages). The update waits
#           by design: 500 ms before the petrol switch, one 56 ms petrol poll,
#           and 3 x 500 ms around programming; the ratio is given with and
#           without them.
# identify: a second run, so the remembered port answers at once.
#
# Wire time counts every frame byte both ways at 10 bit times per byte: a
# command-2 request is 12 bytes, an acknowledge 12, a reply 6 + payload.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
sim="$build/bin/vexor-sim"
cli_bin="$build/bin/vexor-cli"
for b in "$sim" "$cli_bin"; do
  [ -x "$b" ] || { echo "missing $b: build first" >&2; exit 1; }
done
command -v python3 >/dev/null || { echo "python3 is needed to write the test image" >&2; exit 1; }

work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A full image: the largest payload a file may announce (90 112 bytes).
python3 - "$work/full.img" <<'EOF'
import struct, sys
image = bytes((i * 7 + 3) & 0xFF for i in range(90112 - 60))
payload = image[:8320] + bytes(60) + image[8320:]
header = bytearray(40)
struct.pack_into('<IHH', header, 0, len(payload), 0x0208, 0x0101)
header[19:28] = b'KORVANTIS'
total = (sum(payload[:len(payload) % 65536]) + 1) + (sum(header) + 1)
struct.pack_into('<H', header, 38, total & 0xFFFF)
rotate = lambda b: ((b << 2) | (b >> 6)) & 0xFF
open(sys.argv[1], 'wb').write(bytes(rotate(b) for b in header + payload))
EOF

"$sim" --pace-baud 38400 --link "$work/port" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do [ -e "$work/port" ] && break; sleep 0.1; done

cli=("$cli_bin" --no-system-ports --port "$work/port" --config-dir "$work/config"
     --data-dir "$work/data")
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Frame bytes of one whole read at connection: handshake, identity, sensors,
# base, advanced, main correction, setup times, nine map chunks, advanced setup.
read_all=$(( 24 + (12+36) + (12+34) + (12+34) + (12+27) + (12+22) + (12+48) + 9*(12+40) + (12+36) ))

"${cli[@]}" identify >/dev/null   # remembers the port
t0=$(now_ms); "${cli[@]}" identify >/dev/null; t1=$(now_ms)
identify_ms=$(( t1 - t0 ))

pages=642
flash_bytes=$(( 2*read_all + 24 + (12+88) + (14+12) + pages*(136+12) + 24 + 24 ))
t0=$(now_ms); "${cli[@]}" flash "$work/full.img" 2>/dev/null; t1=$(now_ms)
flash_ms=$(( t1 - t0 ))
designed_ms=$(( 500 + 56 + 3*500 ))

python3 - "$identify_ms" "$read_all" "$flash_ms" "$flash_bytes" "$designed_ms" <<'EOF'
import sys
identify_ms, read_all, flash_ms, flash_bytes, designed_ms = map(int, sys.argv[1:])
wire = lambda n: n * 10 / 38400 * 1000
print(f"identify: {identify_ms} ms, wire {wire(read_all):.0f} ms, ratio {identify_ms / wire(read_all):.3f}")
w = wire(flash_bytes)
print(f"flash:    {flash_ms} ms, wire {w:.0f} ms, ratio {flash_ms / w:.3f}; "
      f"without the {designed_ms} ms of designed waits {(flash_ms - designed_ms) / w:.3f}")
EOF
