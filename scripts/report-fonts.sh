#!/usr/bin/env bash
# The report tests again under other font sets: for each, a fontconfig file
# (FONTCONFIG_FILE) that makes another family the machine's fixed-pitch face
# (DejaVu Sans Mono, Noto Sans Mono, Liberation Mono), and one for a machine
# with no fixed-pitch face at all (a fonts directory holding only the
# proportional DejaVu Sans). Each set is checked to resolve as meant, then the
# report tests run in the normal build directory. Arguments go to ctest.
set -euo pipefail
orvik_root="$(cd "$(dirname "$0")/.." && pwd)"
. "$orvik_root/scripts/deps.sh"
orvik_install_missing
build="$(orvik_build_dir)"
orvik_build "$build" platform_qt_test results_core_test frmrepo_test
tests='^(ReportText|QtPrintingService|NarrowReport|WideReport|PrintOutcomeMessages|ReviewWindowResults)\.'

configs="$(mktemp -d)"
trap 'rm -rf "$configs"' EXIT

# preferring NAME FAMILY: the system's fonts, FAMILY first for monospace.
preferring() {
    mkdir -p "$configs/$1"
    cat >"$configs/$1/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>monospace</family><prefer><family>$2</family></prefer></alias>
  <include>/etc/fonts/fonts.conf</include>
</fontconfig>
EOF
}

# Only DejaVu Sans, and none of the system's directories or rules (nor the
# user's fonts that they name).
proportional_only() {
    mkdir -p "$configs/$1/fonts" "$configs/$1/cache"
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$configs/$1/fonts/"
    cat >"$configs/$1/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$configs/$1/fonts</dir>
  <cachedir>$configs/$1/cache</cachedir>
</fontconfig>
EOF
}

preferring dejavu "DejaVu Sans Mono"
preferring noto "Noto Sans Mono"
preferring liberation "Liberation Mono"
proportional_only proportional

cd "$build"
export QT_QPA_PLATFORM=offscreen
status=0
for set in dejavu:"DejaVu Sans Mono" noto:"Noto Sans Mono" liberation:"Liberation Mono" \
    proportional:"DejaVu Sans"; do
    name="${set%%:*}"
    family="${set#*:}"
    export FONTCONFIG_FILE="$configs/$name/fonts.conf"
    resolved="$(fc-match -f '%{family[0]}' monospace)"
    if [ "$resolved" != "$family" ]; then
        echo "report fonts $name: monospace is $resolved, not $family" >&2
        status=1
        continue
    fi
    echo "report fonts $name: monospace is $resolved"
    ctest --output-on-failure --timeout 600 -j"$(nproc)" -R "$tests" "$@" || status=1
done
exit $status
