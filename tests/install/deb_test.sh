#!/bin/sh
# Makes the Debian package as scripts/package.sh does, in its own build
# directory under BUILD_DIR (kept, so that a later run only builds what
# changed), and checks it: its fields and contents, the hardening of the
# program, and lintian, which must report no error and no warning.
#   deb_test.sh BUILD_DIR SOURCE_DIR DEB_VERSION PROJECT_VERSION
set -eu
build="$1"
source="$2"
version="$3"
upstream="$4"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

deb="$(ORVIK_PACKAGE_BUILD_DIR="$build/package" "$source/scripts/package.sh" "$out" 2>"$out/package.log")" ||
    fail "making the package failed: $(tail -n 40 "$out/package.log")"
[ -f "$deb" ] || fail "no package at $deb"
[ "$(basename "$deb")" = "orvik_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "package file: $deb"

[ "$(dpkg-deb -f "$deb" Package)" = orvik ] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version: $(dpkg-deb -f "$deb" Version)"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" ||
    fail "dependencies not worked out: $(dpkg-deb -f "$deb" Depends)"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
contents="$(dpkg-deb -c "$deb")"
printf '%s\n' "$contents" | grep -q " \./usr/bin/orvik$" || fail "no program in: $contents"
if printf '%s\n' "$contents" | grep multidll; then
    fail "the package holds the demo's stand-in reader"
fi

# What is installed: the licence, the changelog's newest entry for this
# version, and the metainfo's newest release for the program's.
root="$out/root"
dpkg-deb -x "$deb" "$root"
doc="$root/usr/share/doc/orvik"
grep -q "^License: Expat" "$doc/copyright" || fail "no licence in the copyright file"
head -n 1 "$doc/copyright" | grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
    fail "the copyright file is not machine-readable"
zcat "$doc/changelog.Debian.gz" | head -n 1 | grep -q "^orvik ($version) " ||
    fail "changelog's newest entry: $(zcat "$doc/changelog.Debian.gz" | head -n 1)"
grep -q "<release version=\"$upstream\"" "$root/usr/share/metainfo/fi.norvala.Orvik.metainfo.xml" ||
    fail "the metainfo has no release $upstream"

# The manual pages name the user guide where the package puts it.
for page in "$root/usr/share/man/man1/orvik.1.gz" "$root/usr/share/man/fi/man1/orvik.1.gz"; do
    guide="$(zcat "$page" | grep -o "/[^ ]*/kayttoohje.html")" || fail "$page names no guide"
    [ -f "$root$guide" ] || fail "$page names the guide $guide, not in the package"
done

# Hardened as dpkg-buildflags asks: PIE, full RELRO (RELRO and BIND_NOW),
# the stack protector and FORTIFY's checked functions.
program="$root/usr/bin/orvik"
readelf -h "$program" | grep -q "Type: *DYN" || fail "the program is not position independent"
readelf -d "$program" | grep -q "FLAGS_1.*PIE" || fail "the program is not a PIE"
readelf -lW "$program" | grep -q "GNU_RELRO" || fail "the program has no RELRO"
readelf -d "$program" | grep -Eq "BIND_NOW|FLAGS_1.* NOW" || fail "the program is not bound now"
symbols="$(readelf --dyn-syms -W "$program")"
printf '%s\n' "$symbols" | grep -q "__stack_chk_fail" || fail "no stack protector"
printf '%s\n' "$symbols" | grep -Eq "__[a-z_]+_chk@" || fail "no FORTIFY checked functions"

# lintian, with the package's own overrides.
lintian --pedantic --display-info "$deb" >"$out/lintian.log" 2>&1 || true
if grep -E "^[EW]: " "$out/lintian.log"; then
    fail "lintian reports errors or warnings"
fi
echo "package $(basename "$deb") checked"
