#!/bin/sh
# Installs the build into a temporary DESTDIR as a package would and checks
# what lands where: the default install, then the "demo" component alone.
#   install_test.sh BUILD_DIR BINDIR DATADIR MANDIR LIBDIR
set -eu
build="$1"
bindir="$2"
datadir="$3"
mandir="$4"
libdir="$5"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$stage/default" cmake --install "$build" --prefix /usr >/dev/null
root="$stage/default/usr"
app=fi.norvala.Orvik
for file in \
    "$bindir/orvik" \
    "$datadir/applications/$app.desktop" \
    "$datadir/icons/hicolor/scalable/apps/$app.svg" \
    "$datadir/metainfo/$app.metainfo.xml" \
    "$mandir/man1/orvik.1.gz" \
    "$mandir/fi/man1/orvik.1.gz"; do
    [ -f "$root/$file" ] || fail "missing from the install: $file"
done
[ -x "$root/$bindir/orvik" ] || fail "the program is not executable"

# The user guide, where the installed program looks for it, with every page,
# style sheet and screenshot it refers to, each screenshot a real picture.
guide="$root/$datadir/orvik/guide"
[ -f "$guide/kayttoohje.html" ] || fail "missing from the install: the user guide"
refs="$(grep -o -E '(src|href)="[^"#][^"]*"' "$guide/kayttoohje.html" | sed -E 's/^[a-z]+="(.*)"$/\1/')"
[ -n "$refs" ] || fail "the guide refers to no picture or style sheet"
for ref in $refs; do
    [ -f "$guide/$ref" ] || fail "the guide refers to $ref, which is not installed"
    case "$ref" in
    *.png)
        [ "$(head -c 8 "$guide/$ref" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
            fail "$ref is not a PNG picture"
        ;;
    esac
done
if find "$stage/default" -name '*multidll*' | grep .; then
    fail "the default install holds the demo's stand-in reader"
fi

desktop-file-validate "$root/$datadir/applications/$app.desktop" ||
    fail "desktop entry not valid"
appstreamcli validate --no-net "$root/$datadir/metainfo/$app.metainfo.xml" >/dev/null ||
    fail "metainfo not valid: $(appstreamcli validate --no-net "$root/$datadir/metainfo/$app.metainfo.xml")"
# The manual pages, in English and in Finnish, as man reads them.
for page in "$mandir/man1/orvik.1.gz" "$mandir/fi/man1/orvik.1.gz"; do
    warnings="$(zcat "$root/$page" | groff -k -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

# The installed program still starts (its run path was rewritten on install).
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/$bindir/orvik" --version >/dev/null ||
    fail "the installed program does not run"

# The demo component brings the stand-in reader, and only it, where the
# installed program's run path looks.
DESTDIR="$stage/demo" cmake --install "$build" --prefix /usr --component demo >/dev/null
files="$(cd "$stage/demo/usr" && find . -type f)"
[ "$files" = "./$libdir/orvik/libmultidll.so" ] || fail "the demo component installed: $files"
readelf -d "$root/$bindir/orvik" | grep -q "RUNPATH.*\$ORIGIN/\.\./$libdir/orvik" ||
    fail "the program's run path misses the demo's reader directory"
echo "install layout checked"
