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

# The wine loader a Windows build was configured with.
orvik_build_wine() { # BUILD_DIR
    grep -m1 '^ORVIK_WINE:' "$1/CMakeCache.txt" | cut -d= -f2-
}

# Whether this machine runs 32-bit x86 programs, asked of wine's 32-bit
# loader: a kernel built or started without its 32-bit support refuses them
# ("Exec format error"), and then wine runs no 32-bit Windows program either.
orvik_runs_32bit() { # WINE_LOADER
    "$1" --version >/dev/null 2>&1
}

# Said where a step cannot run here; the step then ends with status 77, which
# .ci/run counts as not run, neither passed nor failed
# (orvik_exit_unless_32bit does both).
orvik_not_run_here() { # WHAT
    echo "NOT RUN: $1: this machine runs no 32-bit x86 programs" \
        "($("${2:-/usr/lib/wine/wine}" --version 2>&1 | head -n 1 | sed 's/^.*line [0-9]*: //' || true))," \
        "so wine runs no 32-bit Windows program here." >&2
}

orvik_exit_unless_32bit() { # WHAT WINE_LOADER
    orvik_runs_32bit "$2" && return 0
    orvik_not_run_here "$1" "$2"
    exit 77
}
