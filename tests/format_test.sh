#!/bin/sh
# Fails on every C++ source that .clang-format would change, naming it and
# the lines, so that code is formatted when it is committed.
set -eu
cd "$1"
find src tests bench tools fuzz \( -name '*.cpp' -o -name '*.h' \) -print | sort |
    xargs clang-format --dry-run --Werror
