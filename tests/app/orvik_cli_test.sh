#!/bin/sh
# The program answers --help and --version on standard output with no
# display at all, before the window toolkit would need one; a mistyped option
# is a usage error, and a missing display is told rather than aborting.
#   orvik_cli_test.sh [RUNNER] ORVIK_EXECUTABLE PROJECT_VERSION
# RUNNER runs the program (wine, for the Windows program).
set -eu
runner=""
if [ $# -eq 3 ]; then
    runner="$1"
    shift
fi
orvik="$1"
version="$2"

headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $runner "$orvik" "$@"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

answer="$(headless --version)" || fail "--version exited with $?"
[ "$answer" = "orvik $version" ] || fail "--version printed: $answer"

answer="$(headless --help)" || fail "--help exited with $?"
# The Finnish letters arrive as UTF-8 (this script is UTF-8 too).
printf '%s\n' "$answer" | grep -q "^Käyttö: orvik \[PÄIVÄT\]" || fail "no usage line in: $answer"
# Where the settings live: the file, or on Windows the registry key.
printf '%s\n' "$answer" | grep -q "Norvala Oy.ini\|Norvala Oy.Orvik" || fail "no settings in: $answer"
printf '%s\n' "$answer" | grep -q "^Orvik $version " || fail "no version in: $answer"
printf '%s\n' "$answer" | grep -q "^  --asetukset " || fail "no settings dialog in: $answer"

# status COMMAND...: the exit status, standard error kept in $err.
status() {
    err="$(mktemp)"
    set +e
    "$@" >/dev/null 2>"$err"
    code=$?
    set -e
    said="$(cat "$err")"
    rm -f "$err"
    return 0
}

for wrong in --tuntematon --asetus --; do
    status headless 7 "$wrong"
    [ "$code" -eq 2 ] || fail "$wrong exited with $code: $said"
    printf '%s\n' "$said" | grep -q "^orvik: tuntematon valitsin $wrong\$" ||
        fail "$wrong was told: $said"
done

# Without a display, and with one that is not there, the program and the
# settings dialog end with 1 and say why in Finnish. Windows always has one.
if [ -z "$runner" ]; then
    for args in "" "7" "--asetukset" "huomenna"; do
        # shellcheck disable=SC2086 # the arguments are meant to split
        status headless $args
        [ "$code" -eq 1 ] || fail "no display, '$args' exited with $code: $said"
        printf '%s\n' "$said" | grep -q "^orvik: näyttöä ei löytynyt" ||
            fail "no display, '$args' was told: $said"
    done
    status env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 "$orvik"
    [ "$code" -eq 1 ] || fail "an absent X server exited with $code: $said"
    printf '%s\n' "$said" | grep -q "näyttöä ei löytynyt" || fail "an absent X server: $said"
fi

# Output that cannot be written is a failure, not a success.
if [ -w /dev/full ] && headless --help >/dev/full 2>/dev/null; then
    fail "--help into a full device exited with 0"
fi
echo "command line answered"
