#!/usr/bin/env bash
# Starts Orvik on a demo shop kept in the build tree: its own settings file
# and directories, so the user's real settings are never touched.
#   scripts/demo.sh BUILD_DIR [--reader] [program arguments...]
# The demo's files are made once and then kept, so a count imported in one
# run is still there in the next; delete BUILD_DIR/demo to start afresh.
# --reader starts the main window in its reader layout (the setting "Tila"),
# for this run only.
set -euo pipefail
build="$(cd "$1" && pwd)"
shift
reader_layout=false
if [ "${1:-}" = "--reader" ]; then
    reader_layout=true
    shift
fi
demo="$build/demo"
shop="$demo/shop"
vorda="$shop/vorda/" # the reader software's directory ("MyDocuments")
dat="$shop/dat/"     # work file and import log ("DatPolku")
data="$shop/data/"   # the cash-register system's stock files ("Datat")
inv="$shop/inv/"     # the transfer file ("InvPolku")

make_directories() {
    mkdir -p "$demo/config" "$vorda" "$dat" "$data" "$inv"
}

# The program's settings, in the settings file it reads under XDG_CONFIG_HOME.
write_settings() {
    local ini="$demo/config/Norvala Oy.ini"
    [ -f "$ini" ] && return 0
    cat >"$ini" <<INI
[Orvik]
MyDocuments=$vorda
DatPolku=$dat
InvPolku=$inv
Datat=$data
Portti=Com1:
INI
}

# The cash-register system's stock files of a sample shop, made once, and a
# count of its products waiting in the reader software's directory, so that
# "Hae tiedot" has something to take; made again whenever an import took it.
write_stock_files() {
    local sample="${data}sample-count.dat"
    if [ ! -f "${data}CASSA.001" ]; then
        "$build/bin/orvik_sampleshop" --count-file "$sample" "$data" 2000 60 40 1 >/dev/null
    fi
    [ -f "${vorda}orvik.dat" ] || cp "$sample" "${vorda}orvik.dat"
}

# The layout is chosen at every start: "Tila=lukija" in the program's section,
# or no "Tila" at all.
choose_layout() {
    local ini="$demo/config/Norvala Oy.ini"
    sed -i '/^Tila=/d' "$ini"
    if $reader_layout; then
        sed -i 's/^\[Orvik\]$/&\nTila=lukija/' "$ini"
    fi
}

make_directories
write_settings
choose_layout
write_stock_files

# The stand-in reader's memory (read by the reader library from
# ORVIK_READER_DIR), with a count waiting on the "reader" for the reader fetch.
reader="$demo/reader"
write_reader_memory() {
    mkdir -p "$reader"
    local count="$reader/pnqty.dat"
    [ -f "$count" ] && return 0
    # The last lines of the sample count: products the stock files know.
    tail -n 12 "${data}sample-count.dat" >"$count"
}
write_reader_memory
export ORVIK_READER_DIR="$reader"
# A stand-in for the counting program that "Vie Ohjelma lukijaan" sends.
[ -f "$shop/Autoexec.exe" ] || echo "Orvik demo: the reader's counting program" >"$shop/Autoexec.exe"

export XDG_CONFIG_HOME="$demo/config"
# The program works in the shop's directory: the archive copies of a work file
# and a count on its way into the work file ("pnqty.dat") appear there.
cd "$shop"
exec "$build/bin/orvik" "$@"
