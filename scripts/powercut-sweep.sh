#!/usr/bin/env bash
# The power-cut tests again with every combination of what a cut may keep
# (ORVIK_POWERCUT_SWEEP=1), in the normal build directory; each step prints
# how many states it checked. Arguments go to the test program.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
orvik_install_missing
build="$(orvik_build_dir)"
orvik_build "$build" powercut_test
cd "$build"
ORVIK_POWERCUT_SWEEP=1 bin/powercut_test "$@"
