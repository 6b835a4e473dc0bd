#!/usr/bin/env bash
# Starts Orvik on a demo shop kept in the build tree: its own settings file
# and directories, so the user's real settings are never touched.
set -euo pipefail
build="$1"; shift
demo="$build/demo"
mkdir -p "$demo/config" "$demo/shop/vorda" "$demo/shop/dat" "$demo/shop/data" "$demo/shop/inv"
export XDG_CONFIG_HOME="$demo/config"
ini="$XDG_CONFIG_HOME/Norvala Oy.ini"
if [ ! -f "$ini" ]; then
    cat > "$ini" <<INI
[Orvik]
MyDocuments=$demo/shop/vorda/
DatPolku=$demo/shop/dat/
InvPolku=$demo/shop/inv/
Datat=$demo/shop/data/
Portti=Com1:
INI
fi
# A count waiting in the reader software's directory, so that "Hae tiedot"
# works on the first try.
if [ ! -f "$demo/shop/vorda/orvik.dat" ]; then
    printf '6410000000017    3\r\n6410000000024    1\r\n6410000000017    2\r\n6410000000031  2.5\r\n' \
        > "$demo/shop/vorda/orvik.dat"
fi
# The stand-in reader's memory (read by the reader library from
# ORVIK_READER_DIR), with a count waiting on the "reader" for the reader fetch.
reader="$demo/reader"
write_reader_memory() {
    mkdir -p "$reader"
    local count="$reader/pnqty.dat"
    [ -f "$count" ] && return 0
    printf '%s\r\n' \
        "6410000000048    5" \
        "6410000000017    1" \
        "6410000000055   12" >"$count"
}
write_reader_memory
export ORVIK_READER_DIR="$reader"

cd "$demo/shop"
exec "$build/bin/orvik" "$@"
