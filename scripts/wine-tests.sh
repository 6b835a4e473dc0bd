#!/usr/bin/env bash
# The core on Windows: cross-builds the core libraries, the stand-in reader
# DLL and the core tests with mingw-w64 (cmake/mingw-w64.cmake, the core-only
# configuration) into build-windows/, and runs the tests under wine64,
# headless, with a wine prefix of its own inside that build tree. Arguments go
# to ctest. Ends with ctest's summary.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
orvik_packages="$orvik_packages $orvik_windows_packages" orvik_install_missing

build="${ORVIK_WINDOWS_BUILD_DIR:-$orvik_root/build-windows}"
cmake -S "$orvik_root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$orvik_root/cmake/mingw-w64.cmake" \
    -DORVIK_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

# No display, no prompts for the optional .NET and HTML engines, no debug
# chatter; the prefix is made once and kept with the build.
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine="$(grep -m1 '^ORVIK_WINE:' "$build/CMakeCache.txt" | cut -d= -f2-)"
wineserver="$(dirname "$wine")/wineserver"
# Wine's own services start here, away from ctest's output: started by the
# first test they would hold its output open, and ctest would wait for them.
# They and the server stay for the whole run and end with it.
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
boot="--init"
[ -f "$WINEPREFIX/system.reg" ] && boot=""
"$wine" wineboot $boot </dev/null >/dev/null 2>&1 || true
"$wineserver" -p 60 </dev/null >/dev/null 2>&1 || true
cd "$build"
ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@"
