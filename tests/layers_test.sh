#!/bin/sh
# Each layer of the source uses only the layers below it (README's picture):
# fails on a file that includes one from a layer above its own, and on a
# core file (outside the windows and the Qt platform) that includes Qt.
#   layers_test.sh SOURCE_DIR
set -eu
src="$1/src"

# The layer of a path under src/: higher numbers stand higher.
layer() {
    case "$1" in
    */ui/* | ui/* | main.cpp) echo 7 ;;
    app/*) echo 6 ;;
    review/* | results/* | zeroinv/* | reader/*) echo 5 ;;
    stock/* | workfile/*) echo 4 ;;
    platform/*) echo 3 ;;
    journal/*) echo 2 ;;
    files/*) echo 1 ;;
    text/*) echo 0 ;;
    *) echo unknown ;;
    esac
}

failures=0
cd "$src"
for file in $(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort); do
    own="$(layer "$file")"
    if [ "$own" = unknown ]; then
        echo "$file: in no layer"
        failures=$((failures + 1))
        continue
    fi
    for included in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file"); do
        [ -f "$included" ] || continue # beside the file, or generated
        theirs="$(layer "$included")"
        if [ "$theirs" = unknown ] || [ "$theirs" -gt "$own" ]; then
            echo "$file includes $included from a layer above its own"
            failures=$((failures + 1))
        fi
    done
    case "$file" in
    */ui/* | ui/* | main.cpp | platform/qt/*) ;;
    *)
        if grep -q '^#include <Q' "$file"; then
            echo "$file: core code includes Qt"
            failures=$((failures + 1))
        fi
        ;;
    esac
done
if [ "$failures" -ne 0 ]; then
    echo "layers: $failures faults"
    exit 1
fi
echo "layers: every include stays in its layer or below"
