#!/usr/bin/env bash
# A fuzz campaign: builds the libFuzzer harnesses (fuzz/) with clang into
# build-fuzz/ and runs each for SECONDS on its corpus, printing for each
#   figure fuzz_execs_<harness> N execs
# (the executions of that run). Without harness names, every harness runs.
# The committed seeds (fuzz/corpus/<harness>/) and findings
# (fuzz/findings/<harness>/) are read, never written: inputs the run finds
# interesting go to build-fuzz/corpus/<harness>/, a crashing input to
# build-fuzz/crashes/. Exits non-zero when any harness found a fault.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"

if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS [harness...]" >&2
    exit 2
fi
seconds="$1"
shift
orvik_packages="$orvik_packages $orvik_fuzz_packages" orvik_install_missing

build="${ORVIK_FUZZ_BUILD_DIR:-$orvik_root/build-fuzz}"
CC=clang-14 CXX=clang++-14 cmake -S "$orvik_root" -B "$build" -DORVIK_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for source in "$orvik_root"/fuzz/*_fuzz.cpp; do
        name="$(basename "$source" _fuzz.cpp)"
        harnesses+=("$name")
    done
fi
targets=()
for name in "${harnesses[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# The harnesses write their files in a scratch directory; in memory, the
# import's flushes to disk cost nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

failed=()
for name in "${harnesses[@]}"; do
    corpus="$build/corpus/$name"
    crashes="$build/crashes/$name"
    log="$build/logs/$name.log"
    mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
    inputs=("$corpus" "$orvik_root/fuzz/corpus/$name")
    [ -d "$orvik_root/fuzz/findings/$name" ] && inputs+=("$orvik_root/fuzz/findings/$name")
    status=0
    "$build/bin/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "${inputs[@]}" >"$log" 2>&1 || status=$?
    execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    echo "figure fuzz_execs_$name ${execs:-0} execs"
    if [ "$status" -ne 0 ]; then
        echo "fuzz_$name found a fault (exit $status); log: $log" >&2
        grep -E "broken rule|ERROR|runtime error|SUMMARY|Test unit written" "$log" >&2 || true
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "Faults found by: ${failed[*]}" >&2
    exit 1
fi
