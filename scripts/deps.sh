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
    local as_root=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Installing needs root rights, and sudo is not available." >&2
            echo "As root run: apt-get install$missing" >&2
            return 1
        fi
        as_root="sudo"
    fi
    # shellcheck disable=SC2086 # both lists are meant to split
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        $as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends $missing
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
# Only the Windows build and its tests under wine need these (scripts/wine-tests.sh).
orvik_windows_packages="g++-mingw-w64-x86-64-posix wine64 googletest"
