#!/usr/bin/env bash
# The setup program and the zip for Windows, made from the 32-bit build of
# scripts/wine-tests.sh (build-windows32/), then tried under wine: a silent
# install into a fresh wine prefix, the installed orvik.exe --version, an
# upgrade in place over a shop's own multidll.dll and settings, and a silent
# uninstall, each checked by what it left on the disk and in the registry,
# never by an exit status alone (a 32-bit setup program on a wine that cannot
# run 32-bit programs exits 0 having installed nothing).
#   scripts/windows-setup.sh
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
. "$orvik_root/scripts/wine-env.sh"
orvik_enable_i386
orvik_packages="$orvik_packages $orvik_windows_packages" orvik_install_missing

build="${ORVIK_WINDOWS_BUILD_DIR:-$orvik_root/build-windows32}"
[ -f "$build/CMakeCache.txt" ] || {
    echo "No Windows build in $build: run scripts/wine-tests.sh first." >&2
    exit 1
}
# The staged files hold the guide's pictures, taken of the program under wine.
orvik_exit_unless_32bit "the setup program, the zip and their install under wine" \
    "$(orvik_build_wine "$build")"
version="$(grep -m1 '^CMAKE_PROJECT_VERSION:' "$build/CMakeCache.txt" | cut -d= -f2-)"
cmake --build "$build" --target orvik_setup
cmake --build "$build" --target orvik_zip
setup="$build/orvik-$version-setup.exe"
zip="$build/orvik-$version-windows.zip"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check_file() { [ -f "$1" ] || fail "missing: ${1#"$WINEPREFIX"/}"; }
check_gone() { [ ! -e "$1" ] || fail "left behind: ${1#"$WINEPREFIX"/}"; }

# The zip holds the same files as the setup program installs, and never the
# stand-in reader library.
zip_list="$(unzip -Z1 "$zip" | grep -v '/$' | sort)"
stage_list="$(cd "$build/stage" && find Orvik -type f | sort)"
[ "$zip_list" = "$stage_list" ] || fail "the zip differs from the installed files"
printf '%s\n' "$zip_list" | grep -qi 'multidll' && fail "the zip holds a reader library"
printf '%s\n' "$zip_list" | grep -qx 'Orvik/orvik.exe' || fail "no orvik.exe in the zip"
printf '%s\n' "$zip_list" | grep -qx 'Orvik/guide/kuvat/tarkastelu.png' ||
    fail "no user guide with its pictures in the zip"

unset DISPLAY WAYLAND_DISPLAY
rm -rf "$build/wineprefix-setup"
orvik_wine_start "$build/wineprefix-setup" "$(orvik_build_wine "$build")"
wine="$orvik_wine"
drive_c="$WINEPREFIX/drive_c"
program_dir="$drive_c/Program Files (x86)/Orvik"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvik.lnk"
work_dir="$drive_c/users/Public/Documents/Orvik"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvik'
settings_key='HKCU\Software\VB and VBA Program Settings\Norvala Oy\Orvik'

registry_value() { # KEY NAME: the value's data, empty when missing
    "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

install_silently() {
    "$wine" "$setup" /S </dev/null >/dev/null 2>&1 || true
    "$orvik_wineserver" -w
}

echo "Silent install"
install_silently
for file in $stage_list; do
    check_file "$program_dir/${file#Orvik/}"
done
check_file "$program_dir/uninstall.exe"
check_file "$shortcut"
[ -d "$work_dir" ] || fail "no work directory ${work_dir#"$WINEPREFIX"/}"
[ "$(registry_value "$uninstall_key" DisplayName)" = "Orvik" ] || fail "not in the installed programs"
[ "$(registry_value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "no version in the installed programs"
registry_value "$uninstall_key" UninstallString | grep -q 'uninstall.exe' || fail "no uninstaller registered"
answer="$("$wine" "$program_dir/orvik.exe" --version 2>/dev/null | tr -d '\r')" || true
[ "$answer" = "orvik $version" ] || fail "the installed orvik.exe --version printed: $answer"

echo "Upgrade in place over a shop's own files"
printf 'the shop own reader library' >"$program_dir/multidll.dll"
printf 'counted\r\n' >"$work_dir/orvik.dat"
"$wine" reg add "$settings_key" /v DatPolku /t REG_SZ /d 'C:\kauppa\' /f >/dev/null 2>&1
rm -f "$program_dir/translations/qtbase_fi.qm" # a damaged install the upgrade mends
install_silently
for file in $stage_list; do
    check_file "$program_dir/${file#Orvik/}"
done
[ "$(cat "$program_dir/multidll.dll" 2>/dev/null)" = "the shop own reader library" ] ||
    fail "the upgrade touched the shop's multidll.dll"

echo "Silent uninstall"
"$wine" "$program_dir/uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
"$orvik_wineserver" -w
for file in $stage_list; do
    check_gone "$program_dir/${file#Orvik/}"
done
check_gone "$program_dir/uninstall.exe"
check_gone "$program_dir/plugins"
check_gone "$program_dir/guide"
check_gone "$shortcut"
[ -z "$(registry_value "$uninstall_key" DisplayName)" ] || fail "still in the installed programs"
[ "$(cat "$program_dir/multidll.dll" 2>/dev/null)" = "the shop own reader library" ] ||
    fail "the shop's multidll.dll did not stay"
[ "$(cat "$work_dir/orvik.dat" 2>/dev/null)" = $'counted\r' ] || fail "the work file did not stay"
[ "$(registry_value "$settings_key" DatPolku)" = 'C:\kauppa\' ] || fail "the settings did not stay"

if [ "$failures" -ne 0 ]; then
    echo "setup: $failures checks failed" >&2
    exit 1
fi
echo "setup: $(basename "$setup") and $(basename "$zip") installed, upgraded and uninstalled as meant"
