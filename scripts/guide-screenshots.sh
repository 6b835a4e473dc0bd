#!/usr/bin/env bash
# Photographs the program's real windows on the sample shop for the user
# guide, under a private X server, into OUTDIR (its PNG files replaced).
#   scripts/guide-screenshots.sh [--no-install] GUIDESHOTS_PROGRAM OUTDIR
# The build runs it (target orvik_guide) with --no-install: a build never
# installs packages, so without xvfb-run it falls back to Qt's offscreen
# platform, which draws the same widgets without a server.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
install=true
if [ "${1:-}" = "--no-install" ]; then
    install=false
    shift
fi
if [ $# -ne 2 ]; then
    echo "usage: $0 [--no-install] GUIDESHOTS_PROGRAM OUTDIR" >&2
    exit 2
fi
program="$1"
out="$2"
if $install; then
    . "$orvik_root/scripts/deps.sh"
    orvik_install_missing
fi

mkdir -p "$out"
rm -f "$out"/*.png
runtime="$(mktemp -d)" # XDG_RUNTIME_DIR must be private to its user
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
# The pictures are made here, not tested: in a sanitizer build the X
# platform's D-Bus library would fail the build with the buffer it keeps.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
if command -v xvfb-run >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$out"
else
    echo "guide-screenshots: xvfb-run not found; drawing offscreen instead" >&2
    QT_QPA_PLATFORM=offscreen "$program" "$out"
fi
