#!/bin/sh
# A dock matches the program's windows to its desktop entry by the window
# class: the class the running program gives its windows on X11 must be the
# entry's StartupWMClass, also when the program is started under another name.
#   windowclass_test.sh ORVIK_EXECUTABLE DESKTOP_FILE
set -eu
orvik="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
desktop="$2"
work="$(mktemp -d)"
pid=""
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expected="$(sed -n 's/^StartupWMClass=//p' "$desktop")"
[ -n "$expected" ] || fail "no StartupWMClass in $desktop"

if [ -z "${ORVIK_UNDER_X:-}" ]; then
    # A private X server of its own, so no desktop is needed.
    ORVIK_UNDER_X=1 exec xvfb-run -a sh "$0" "$@"
fi

# A clean home: settings, lock and current directory of the test's own.
mkdir -p "$work/config" "$work/runtime" "$work/shop"
chmod 700 "$work/runtime"
ln -s "$orvik" "$work/another-name"
cd "$work/shop"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$work/another-name" >"$work/out.log" 2>&1 &
pid=$!

# Whichever window the program maps first carries the class.
classes=""
tries=0
while [ -z "$classes" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/out.log")"
    tries=$((tries + 1))
    [ "$tries" -le 300 ] || fail "no window with a class within 30 s"
    sleep 0.1
    for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        classes="$classes$(xprop -id "$id" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = //p')"
    done
done
# WM_CLASS is the instance name, then the class.
class="$(printf '%s\n' "$classes" | sed -n 's/^"[^"]*", "\([^"]*\)".*/\1/p')"
[ "$class" = "$expected" ] ||
    fail "the window's class is $classes, the desktop entry's StartupWMClass $expected"
echo "window class $class"
