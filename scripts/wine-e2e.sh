#!/usr/bin/env bash
# The real orvik.exe of the 32-bit Windows build (build-windows32/, made by
# scripts/wine-tests.sh) under wine with Qt's `windows` platform, in a private
# X server, on a sample shop whose directories are named by registry values
# written with `wine reg add`:
#   1. a count waits in the reader software's directory; the program starts,
#      "Hae tiedot" is pressed, the count lands in the work file and the review
#      window opens; "Sulje" closes it (the list saved, the program ended);
#   2. the program starts again and "Lopeta" closes it: the settings written
#      back are in wine's registry (a directory value completed with its
#      separator, the transfer directory taken from the fallback section).
# Screenshots of the main window, of the review window and of the screen with
# the notice after "Sulje" are kept in build-windows32/e2e/ (main.png,
# review.png, saved.png), with the run's files and output.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
. "$orvik_root/scripts/wine-env.sh"
orvik_enable_i386
orvik_packages="$orvik_packages $orvik_windows_packages" orvik_install_missing

build="${ORVIK_WINDOWS_BUILD_DIR:-$orvik_root/build-windows32}"
bin="$build/bin"
for program in orvik.exe orvik_sampleshop.exe; do
    [ -f "$bin/$program" ] || {
        echo "No $program in $bin: run scripts/wine-tests.sh first." >&2
        exit 1
    }
done
orvik_exit_unless_32bit "the end-to-end run of orvik.exe" "$(orvik_build_wine "$build")"
out="$build/e2e"
rm -rf "$out"
shop="$out/shop"
mkdir -p "$shop/vorda" "$shop/dat" "$shop/data" "$shop/inv" "$out/run"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A private X server on a free display, ended with the script.
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$out/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -1 "$out/display")"
unset WAYLAND_DISPLAY

orvik_wine_start "$build/wineprefix-e2e" "$(orvik_build_wine "$build")"
trap '"$orvik_wineserver" -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
wine="$orvik_wine"

key='HKCU\Software\VB and VBA Program Settings\Norvala Oy'
registry_value() { # KEY NAME: the value's data, empty when missing
    "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
set_value() { # SECTION NAME DATA
    "$wine" reg add "$key\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
}
"$wine" reg delete "$key" /f >/dev/null 2>&1 || true

# The shop: stock files and a count of its products in the reader software's
# directory. The work-file directory is given without its separator, and the
# transfer directory only in the section the shop's other program writes.
"$wine" "$bin/orvik_sampleshop.exe" --count-file "$(orvik_winpath "$shop/count.dat")" \
    "$(orvik_winpath "$shop/data/")" 300 40 30 7 >/dev/null 2>&1
cp "$shop/count.dat" "$shop/vorda/orvik.dat"
set_value Orvik MyDocuments "$(orvik_winpath "$shop/vorda/")"
set_value Orvik DatPolku "$(orvik_winpath "$shop/dat")"
set_value Orvik Datat "$(orvik_winpath "$shop/data/")"
set_value Asiakas InvPolku "$(orvik_winpath "$shop/inv/")"

# wait_window NAME: the id of the visible window of that title, once it shows.
wait_window() {
    timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}

screenshot() { # WINDOW (or root) FILE
    if [ "$1" = root ]; then
        xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$2"
    else
        xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2"
    fi
}

# press WINDOW X Y: a click at that point of the window's client area.
press() {
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.3 click 1
}

start_orvik() {
    (cd "$out/run" && exec "$wine" "$bin/orvik.exe" >>"$out/orvik.log" 2>&1) &
    orvik_pid=$!
}

wait_end() {
    for _ in $(seq 600); do
        kill -0 "$orvik_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "the program did not end"
    kill "$orvik_pid" 2>/dev/null || true
}

echo "Run 1: Hae tiedot, the review, Sulje"
start_orvik
main="$(wait_window "Kelvo")"
[ -n "$main" ] || { fail "no main window"; exit 1; }
sleep 2
screenshot "$main" "$out/main.png"
press "$main" 240 40 # "Hae tiedot"
for _ in $(seq 300); do
    review="$(xdotool search --onlyvisible --name "Kelvo" 2>/dev/null | grep -vx "$main" | head -1 || true)"
    [ -n "$review" ] && break
    sleep 0.2
done
[ -n "${review:-}" ] || { fail "no review window"; screenshot root "$out/failed.png" || true; exit 1; }
sleep 3
screenshot "$review" "$out/review.png"
cmp -s "$shop/count.dat" "$shop/dat/orvik.dat" || fail "the work file does not hold the count"
[ ! -e "$shop/vorda/orvik.dat" ] || fail "the count was not taken from the reader software's directory"
# The close box (Alt+F4) is "Sulje": the list is saved, a notice says so,
# and its OK ends the program.
xdotool windowfocus --sync "$review" sleep 0.5 key alt+F4
notice="$(wait_window "Ilmoitus")"
[ -n "$notice" ] || fail "no notice after Sulje"
sleep 1
screenshot root "$out/saved.png"
xdotool windowfocus --sync "$notice" sleep 0.5 key Return
wait_end
[ -s "$shop/dat/orvik.dat" ] || fail "the work file is gone after Sulje"

echo "Run 2: Lopeta"
start_orvik
main="$(wait_window "Kelvo")"
[ -n "$main" ] || { fail "no main window"; exit 1; }
sleep 2
press "$main" 416 40 # "Lopeta"
wait_end
datpolku="$(registry_value "$key\\Orvik" DatPolku)"
[ "$datpolku" = "$(orvik_winpath "$shop/dat/")" ] || fail "DatPolku written back as: $datpolku"
invpolku="$(registry_value "$key\\Orvik" InvPolku)"
[ "$invpolku" = "$(orvik_winpath "$shop/inv/")" ] || fail "InvPolku written back as: $invpolku"

if [ "$failures" -ne 0 ]; then
    echo "end-to-end: $failures checks failed (see $out)" >&2
    exit 1
fi
echo "end-to-end: count taken, review shown, settings written back; screenshots in $out"
