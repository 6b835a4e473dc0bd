#!/usr/bin/env bash
# Qt for 32-bit Windows, cross-built here from Debian's own source package of
# the Qt the host has (qt6-base, whose tools it uses), with Debian's mingw-w64
# (i686, POSIX threads): only qtbase's Core, Gui, Widgets, PrintSupport and
# Test, with the `windows` and `offscreen` platform plugins; no network, SQL,
# D-Bus, OpenGL, XML, concurrent, examples or Qt's own tests.
#
# The result lies in a cache outside the build tree,
#   ${XDG_CACHE_HOME:-~/.cache}/orvik/qt-<version>-i686-w64-mingw32-<hash>
# named by a hash of the source package's version, the compiler, the
# toolchain file, the options and our patch of the source
# (windows/qt6-base-no-opengl.patch), so a machine builds each once. The work
# (download, source, build) lies beside it in work-<same name>; an
# interrupted run takes up where it stopped, and a finished one removes the
# work. Usage:
#   scripts/qt-windows.sh                 # build when missing; print the prefix
#   scripts/qt-windows.sh --print-prefix  # only print where it is (or will be)
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"

target=i686-w64-mingw32
cache="${XDG_CACHE_HOME:-$HOME/.cache}/orvik"

# The toolchain of the Qt build: plain shared DLLs (the program's own
# toolchain, cmake/mingw-w64.cmake, links statically and is not used here).
toolchain_text="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER $target-gcc-posix)
set(CMAKE_CXX_COMPILER $target-g++-posix)
set(CMAKE_RC_COMPILER $target-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$target)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)"

# The source package's wintab is left out, hence no tablet events; Direct2D
# stays on (without it PrintSupport and the windows plugin do not link in
# 6.4). Everything bundled, so nothing but the compiler's runtime is needed
# beside the DLLs.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_textmarkdownreader=OFF
)

# Without OpenGL the windows platform plugin of 6.4 does not compile as it
# stands (see the patch).
qt_patch="$orvik_root/windows/qt6-base-no-opengl.patch"

# The host's Qt decides the version: its tools (moc, rcc, uic) must match.
host_qt_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true
}

qt_prefix() {
    local version compiler hash
    version="$(host_qt_version)"
    [ -n "$version" ] || { echo "qt6-base-dev is not installed" >&2; return 1; }
    compiler="$("$target-g++-posix" -dumpfullversion 2>/dev/null || echo none)"
    hash="$( (printf '%s\n' "qt6-base $version" "$target-g++-posix $compiler" \
        "$toolchain_text" "${qt_options[@]}" && cat "$qt_patch") | sha256sum | cut -c1-12)"
    echo "$cache/qt-${version%%+*}-$target-$hash"
}

# The build needs the host's Qt and its tools, the cross compiler, Ninja and
# dpkg-source; the source comes through a deb-src entry (orvik_enable_deb_src).
orvik_packages="$orvik_qt_windows_packages" orvik_install_missing
prefix="$(qt_prefix)"
if [ "${1:-}" = "--print-prefix" ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/orvik-qt-complete" ]; then
    echo "$prefix"
    exit 0
fi

name="$(basename "$prefix")"
work="$cache/work-$name"
mkdir -p "$work" "$prefix"
printf '%s\n' "$toolchain_text" >"$prefix/mingw-w64-i686.cmake"
started=$SECONDS

version="$(host_qt_version)"
# Downloaded whole or not at all: an interrupted download starts again.
if [ ! -d "$work/download" ]; then
    orvik_enable_deb_src
    rm -rf "$work/download.new"
    mkdir -p "$work/download.new"
    (cd "$work/download.new" && apt-get source --download-only "qt6-base=$version") >&2
    mv "$work/download.new" "$work/download"
fi
if [ ! -f "$work/source/CMakeLists.txt" ]; then
    rm -rf "$work/source" "$work/source.new"
    # Debian's patches applied, as in the host's Qt; then ours.
    dpkg-source --no-check -x "$work/download"/qt6-base_*.dsc "$work/source.new" >&2
    rm -f "$work"/qt6-base_*.orig.tar.* # dpkg-source's copy beside the source
    patch -d "$work/source.new" -p1 <"$qt_patch" >&2
    mv "$work/source.new" "$work/source"
fi
if [ ! -f "$work/build/build.ninja" ]; then
    cmake -S "$work/source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-i686.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >"$work/configure.log" 2>&1 || {
        tail -40 "$work/configure.log" >&2
        exit 1
    }
fi
# Niced: the machine stays usable meanwhile.
nice cmake --build "$work/build" -j"$(nproc)" >&2
cmake --install "$work/build" --prefix "$prefix" >"$work/install.log"
touch "$prefix/orvik-qt-complete"
echo "Qt for Windows built in $(((SECONDS - started) / 60)) minutes: $prefix" >&2
rm -rf "$work"
echo "$prefix"
