#!/usr/bin/env bash
# Makes the Debian package: builds only what it installs (-DORVIK_PACKAGE=ON,
# no tests or benchmarks) with Debian's hardening flags into its own build
# directory, build-package/ (or $ORVIK_PACKAGE_BUILD_DIR), and copies the
# .deb into OUT_DIR (default: the current directory). Prints its path.
#   scripts/package.sh [OUT_DIR]
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
orvik_install_missing >&2

build="${ORVIK_PACKAGE_BUILD_DIR:-$orvik_root/build-package}"
out="${1:-.}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# dpkg-buildflags maps the checkout's path away (-ffile-prefix-map) when run
# from it; hardening=+all adds BIND_NOW to the stack protector, FORTIFY and
# RELRO it gives by default. Debian's compiler makes PIE without being asked.
# The package is stripped and no debug package is made, so -g would only
# slow the build.
cd "$orvik_root"
export DEB_BUILD_MAINT_OPTIONS="hardening=+all ${DEB_BUILD_MAINT_OPTIONS:-}"
export DEB_CXXFLAGS_MAINT_STRIP="-g ${DEB_CXXFLAGS_MAINT_STRIP:-}"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
launcher=""
if command -v ccache >/dev/null 2>&1; then
    launcher="ccache"
fi
# The build type None adds no flags of its own to those of dpkg-buildflags;
# the prefix is the package's, as the manual pages name installed files.
cmake -S "$orvik_root" -B "$build" -DORVIK_PACKAGE=ON -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" >&2
cmake --build "$build" -j"$(nproc)" >&2
# CPack works in a directory of its own, so no older package is mistaken
# for this one.
rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/cpack" >&2
set -- "$build/cpack"/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { echo "cpack made no single package: $*" >&2; exit 1; }
[ "$out" = "$build/cpack" ] || cp "$1" "$out/"
echo "$out/$(basename "$1")"
