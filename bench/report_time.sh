#!/usr/bin/env bash
# Time of `vexor-cli report` for a PDF and an HTML job sheet in demonstration
# mode (no serial traffic: the figure is the sheet's own cost), the best of
# five runs each.
#
#   bench/report_time.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
cli_bin="${1:-build}/bin/vexor-cli"
[ -x "$cli_bin" ] || { echo "missing $cli_bin: build first" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for ext in pdf html; do
  best=""
  for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    VEXOR_SYSTEM_PORTS=0 "$cli_bin" --demo --config-dir "$work/c" --data-dir "$work/d" \
      report "$work/sheet.$ext"
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "report .$ext: ${best} ms ($(stat -c %s "$work/sheet.$ext") bytes)"
done
