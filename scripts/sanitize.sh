#!/usr/bin/env bash
# The sanitizer suite: builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (the first finding ends the test that made it)
# into build-asan/ and runs every test headless. Arguments go to ctest.
# Leaks are reported too: the suite, window tests included, has none, so no
# library's leaks are suppressed, but for libcups' own in the print-queue
# test (tests/review/printqueue_test.sh says which).
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
orvik_install_missing

build="${ORVIK_ASAN_BUILD_DIR:-$orvik_root/build-asan}"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# -O1 keeps the build and the tests quick while every check stays in.
cmake -S "$orvik_root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-O1 $sanitizers" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" >/dev/null
# Building runs the test programs once to list their tests, under the same checks.
cmake --build "$build" -j"$(nproc)"
cd "$build"
export QT_QPA_PLATFORM=offscreen
# The package test builds the package with the package's own flags, none of
# these checks in it; ./test runs it.
exec ctest --output-on-failure --timeout 900 -j"$(nproc)" -E '^deb_test$' "$@"
