#!/bin/sh
# The program answers --help and --version on standard output with no
# display at all, before the window toolkit would need one.
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

# Output that cannot be written is a failure, not a success.
if [ -w /dev/full ] && headless --help >/dev/full 2>/dev/null; then
    fail "--help into a full device exited with 0"
fi
echo "command line answered"
