#!/bin/sh
# Makes the Debian package and checks its fields and contents: the version
# of the project, dependencies worked out from the shared libraries, the
# program without the demo's stand-in reader, and no licence field.
#   deb_test.sh BUILD_DIR PROJECT_VERSION
set -eu
build="$1"
version="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$out/cpack.log")"
set -- "$out"/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one package, found: $*"
deb="$1"

[ "$(dpkg-deb -f "$deb" Package)" = orvik ] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version: $(dpkg-deb -f "$deb" Version)"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" ||
    fail "dependencies not worked out: $(dpkg-deb -f "$deb" Depends)"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -z "$(dpkg-deb -f "$deb" License)" ] || fail "a licence field before a licence is chosen"
contents="$(dpkg-deb -c "$deb")"
printf '%s\n' "$contents" | grep -q " \./usr/bin/orvik$" || fail "no program in: $contents"
if printf '%s\n' "$contents" | grep multidll; then
    fail "the package holds the demo's stand-in reader"
fi
echo "package $(basename "$deb") checked"
