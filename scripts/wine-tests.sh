#!/usr/bin/env bash
# The program on Windows: builds Qt for Windows once (scripts/qt-windows.sh,
# cached), then the whole 32-bit program, orvik.exe with its windows, the core
# and window tests and the stand-in reader DLL, with mingw-w64
# (cmake/mingw-w64.cmake) into build-windows32/, and runs the tests under
# wine (32-bit), headless (Qt's offscreen platform), with a wine prefix of its
# own inside that build tree. Arguments go to ctest. Ends with ctest's summary.
#   scripts/wine-tests.sh [ctest arguments]
#   scripts/wine-tests.sh --core64 [ctest arguments]
# --core64 builds and tests only the core, 64-bit, into build-windows/.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
. "$orvik_root/scripts/wine-env.sh"
orvik_enable_i386
orvik_packages="$orvik_packages $orvik_windows_packages" orvik_install_missing

if [ "${1:-}" = "--core64" ]; then
    shift
    build="${ORVIK_WINDOWS64_BUILD_DIR:-$orvik_root/build-windows}"
    cmake -S "$orvik_root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$orvik_root/cmake/mingw-w64.cmake" \
        -DORVIK_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
else
    qt_prefix="$("$orvik_root/scripts/qt-windows.sh" | tail -1)"
    build="${ORVIK_WINDOWS_BUILD_DIR:-$orvik_root/build-windows32}"
    cmake -S "$orvik_root" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$orvik_root/cmake/mingw-w64.cmake" \
        -DORVIK_MINGW_PREFIX=i686-w64-mingw32 -DORVIK_SHARED_RUNTIME=ON \
        -DCMAKE_PREFIX_PATH="$qt_prefix" -DQT_HOST_PATH=/usr \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
wine="$(orvik_build_wine "$build")"

# Where the machine runs no 32-bit programs, the 32-bit build is made but its
# tests cannot run: the core's tests run instead, built 64-bit, under wine64.
if [ "$build" = "${ORVIK_WINDOWS_BUILD_DIR:-$orvik_root/build-windows32}" ] &&
    ! orvik_runs_32bit "$wine"; then
    orvik_not_run_here "the 32-bit program's tests" "$wine"
    echo "Running the core's tests built 64-bit under wine64 in their place." >&2
    "$0" --core64 "$@"
    exit 77
fi

unset DISPLAY WAYLAND_DISPLAY
orvik_wine_start "$build/wineprefix" "$wine"
cd "$build"
ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@"
