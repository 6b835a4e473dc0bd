# Wine for the Windows scripts: sourced by scripts/wine-tests.sh,
# scripts/wine-e2e.sh and scripts/windows-setup.sh.
# orvik_wine_start WINEPREFIX WINE_LOADER: a wine prefix of its own (made
# once and kept), no prompts for the optional .NET and HTML engines, no debug
# chatter, and wine's services started away from the tests' output (started
# by the first test they would hold its output open, and ctest would wait for
# them). The server stays for the whole run and ends with the script.
orvik_wine_start() {
    export WINEPREFIX="$1"
    orvik_wine="$2"
    orvik_wineserver="$(dirname "$orvik_wine")/wineserver"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    trap '"$orvik_wineserver" -k >/dev/null 2>&1 || true' EXIT
    local boot="--init"
    [ -f "$WINEPREFIX/system.reg" ] && boot=""
    "$orvik_wine" wineboot $boot </dev/null >/dev/null 2>&1 || true
    "$orvik_wineserver" -p 60 </dev/null >/dev/null 2>&1 || true
}

# The Windows path of a path here (wine's Z: drive is /).
orvik_winpath() {
    printf 'Z:%s' "$1" | tr / '\\'
}
