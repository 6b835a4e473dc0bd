# Installs the Debian packages the build and the tests need, where missing.
# Sourced by ./run and ./test.
orvik_packages="cmake g++ make qt6-base-dev libgl-dev libgtest-dev xvfb xauth fonts-dejavu-core"

orvik_install_missing() {
    local missing=""
    for pkg in $orvik_packages; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $pkg"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

orvik_build() {
    local build_dir="$1"
    cmake -S "$orvik_root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
}
