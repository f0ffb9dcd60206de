#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each for a while
# with its seed corpus, one after the other.
#
#   fuzz/run.sh [seconds per target, default 30] [target ...]
#   fuzz/run.sh --seeds     rewrite fuzz/corpus/ with fuzz-make-seeds
#
# New inputs the fuzzer finds go to build-fuzz/corpus/<target> (the seeds in
# fuzz/corpus/ are only read); crashes, leaks and hangs to
# build-fuzz/artifacts/<target>/. The exit status is non-zero when any target
# found one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXOR_FUZZ_BUILD:-$root/build-fuzz}
all_targets=(settings_file firmware_file lang_file registry_store block_codecs
             frame_transport device_replies obd_reply sim_frame_parser encoders)

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXOR_BUILD_FUZZ=ON -DVEXOR_BUILD_TESTS=OFF \
    -DVEXOR_BUILD_BENCH=OFF -DVEXOR_BUILD_UI=OFF >/dev/null

if [[ ${1:-} == --seeds ]]; then
    cmake --build "$build" -j "${VEXOR_FUZZ_JOBS:-2}" --target fuzz-make-seeds
    rm -rf "$root/fuzz/corpus"
    "$build/bin/fuzz-make-seeds" "$root/fuzz/corpus"
    exit 0
fi

seconds=${1:-30}
shift || true
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    targets=("${all_targets[@]}")
fi

cmake --build "$build" -j "${VEXOR_FUZZ_JOBS:-2}" --target "${targets[@]/#/fuzz-}"

# The longest useful input of each target: a whole settings file, a firmware
# image or a language file with lines over 2048 characters and more than one
# read buffer needs more than the fuzzer's default of 4 KiB.
max_len() {
    case $1 in
    settings_file) echo 32768 ;;
    firmware_file) echo 16384 ;;
    lang_file) echo 20480 ;;
    *) echo 4096 ;;
    esac
}

status=0
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t" "$build/artifacts/$t"
    echo "== fuzz-$t for ${seconds} s"
    if ! VEXOR_SYSTEM_PORTS=0 "$build/bin/fuzz-$t" "$build/corpus/$t" "$root/fuzz/corpus/$t" \
        -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=10 \
        -artifact_prefix="$build/artifacts/$t/" -print_final_stats=1 \
        2>"$build/artifacts/$t/log.txt"; then
        echo "fuzz-$t found a fault: see $build/artifacts/$t/"
        status=1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
        "$build/artifacts/$t/log.txt" || true
done
exit $status
