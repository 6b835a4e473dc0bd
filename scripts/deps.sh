# Installs the Debian packages that the build, the tests and the program need,
# where missing, and builds. Sourced by ./run and ./test, which set
# orvik_root to the checkout.
orvik_packages="cmake make g++ qt6-base-dev libgl-dev libgtest-dev xvfb xauth fonts-dejavu-core"
# Qt's own Finnish texts (standard buttons, print and file dialogs).
orvik_packages="$orvik_packages qt6-translations-l10n"
# The display is looked for before the window toolkit starts (libxcb).
orvik_packages="$orvik_packages libxcb1-dev pkgconf"
# The window icon is drawn from its SVG.
orvik_packages="$orvik_packages qt6-svg-dev"
# The reports' text read back from their PDF files (pdftotext).
orvik_packages="$orvik_packages poppler-utils"
# Other fixed-pitch faces for the report tests under other font sets
# (scripts/report-fonts.sh), and fc-match to check which face a set resolves.
orvik_packages="$orvik_packages fonts-noto-mono fonts-liberation2 fontconfig"
# A fixed-pitch face of PostScript (CFF) outlines, which the report PDF names
# rather than embeds (the report tests).
orvik_packages="$orvik_packages fonts-urw-base35"
# The reports' PDF files are compressed with zlib.
orvik_packages="$orvik_packages zlib1g-dev"
# The install and package checks; the package's own build is cached.
orvik_packages="$orvik_packages desktop-file-utils appstream dpkg-dev groff-base lintian ccache"
# The window class read from the running program under a private X server.
orvik_packages="$orvik_packages x11-utils"
# The program asks the print service whether a queue took a report
# (libcups); the print-queue test runs a print service of its own (the
# scheduler, its commands and the generic PDF printer driver).
orvik_packages="$orvik_packages libcups2-dev cups"
# ./test checks that every C++ source is formatted as .clang-format says.
orvik_packages="$orvik_packages clang-format"
# Only the fuzzers need these (scripts/fuzz.sh); ./run and ./test do not.
orvik_fuzz_packages="clang-14 libclang-rt-14-dev llvm-14"

orvik_missing_packages() {
    local pkg missing=""
    for pkg in $orvik_packages; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $pkg"
    done
    echo "$missing"
}

orvik_install_missing() {
    if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        echo "This script installs its tools with apt-get (Debian or Ubuntu)." >&2
        echo "Elsewhere install by hand: $orvik_packages" >&2
        return 1
    fi
    local missing
    missing="$(orvik_missing_packages)"
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    # shellcheck disable=SC2086 # the list is meant to split
    orvik_apt_update &&
        orvik_as_root "apt-get install$missing" \
            apt-get install -y -qq --no-install-recommends $missing
}

# orvik_as_root WHAT COMMAND...: runs the command as root (through sudo when
# not root), non-interactively; WHAT says what to run by hand without sudo.
orvik_as_root() {
    local what="$1"
    shift
    if [ "$(id -u)" -eq 0 ]; then
        env DEBIAN_FRONTEND=noninteractive "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    else
        echo "This needs root rights, and sudo is not available." >&2
        echo "As root run: $what" >&2
        return 1
    fi
}

# 32-bit Windows programs run in wine32, an i386 package: the architecture is
# added to dpkg once (the next install updates the package lists).
orvik_enable_i386() {
    dpkg --print-foreign-architectures | grep -qx i386 ||
        orvik_as_root "dpkg --add-architecture i386" dpkg --add-architecture i386
}

# Source packages (apt-get source): a deb-src entry for each deb entry of the
# system's sources, the same suites, then the package lists updated.
orvik_enable_deb_src() {
    local list=/etc/apt/sources.list.d/orvik-deb-src.sources
    [ -f "$list" ] && return 0
    local sources=/etc/apt/sources.list.d/debian.sources text
    if [ -f "$sources" ]; then
        text="$(sed 's/^Types:.*/Types: deb-src/' "$sources")"
    else
        text="$(grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /')"
        list=/etc/apt/sources.list.d/orvik-deb-src.list
    fi
    printf '%s\n' "$text" | orvik_as_root "add deb-src lines to $list" tee "$list" >/dev/null &&
        orvik_apt_update
}

# A mirror in the middle of its sync serves a list whose size its index does
# not yet give ("Mirror sync in progress?"); that passes within minutes, so
# the update is tried again. A list still failing then may be one nothing
# here needs (a security suite of the other architecture, say): the install
# goes on with the lists there are and itself fails if they are not enough.
orvik_apt_update() {
    local try
    for try in 1 2 3; do
        orvik_as_root "apt-get update" apt-get update -qq && return 0
        [ "$try" -lt 3 ] || break
        echo "apt-get update failed; trying again in $((try * 30)) s" >&2
        sleep $((try * 30))
    done
    echo "apt-get update failed three times; going on with the package lists there are" >&2
}

# The build directory: ORVIK_BUILD_DIR when set, else build/ in the checkout.
orvik_build_dir() {
    echo "${ORVIK_BUILD_DIR:-$orvik_root/build}"
}

# orvik_build BUILD_DIR [TARGET...]: configures and builds the targets named,
# or everything.
orvik_build() {
    local build_dir="$1"
    shift
    cmake -S "$orvik_root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$build_dir" -j"$(nproc)" --target "$@"
    else
        cmake --build "$build_dir" -j"$(nproc)"
    fi
}
# Only the Windows builds and their tests under wine need these
# (scripts/wine-tests.sh): both compilers, wine for 64-bit and (through the
# i386 architecture, orvik_enable_i386) 32-bit programs, GoogleTest's
# sources, zlib for Windows (the report PDFs), Ninja; the setup program and the zip (makensis, zip); a private X
# server, keys and screenshots for the end-to-end run (Xvfb, xdotool, xwd and
# netpbm's PNG writer); the fonts of the window tests under wine.
orvik_windows_packages="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386"
orvik_windows_packages="$orvik_windows_packages googletest libz-mingw-w64-dev ninja-build nsis zip unzip"
orvik_windows_packages="$orvik_windows_packages xvfb xauth xdotool x11-apps netpbm fonts-dejavu-core"
# Qt for Windows built from Debian's source package (scripts/qt-windows.sh).
orvik_qt_windows_packages="cmake ninja-build g++-mingw-w64-i686-posix qt6-base-dev qt6-base-dev-tools"
orvik_qt_windows_packages="$orvik_qt_windows_packages dpkg-dev xz-utils patch"
