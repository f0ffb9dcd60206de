#!/usr/bin/env bash
# Installs what is missing, builds and starts VEXOR.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
echo "The program itself is not built yet: run ./test.sh to run the test suites."
