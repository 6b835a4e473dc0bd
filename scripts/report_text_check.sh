#!/usr/bin/env bash
# Prints both reports of the huge shop into PDF files (build/bin/review_huge_bench)
# and compares what pdftotext -layout reads from them, and their page counts,
# with the reports of the code before the reports were drawn as glyph runs.
# The expected values were taken on the build machine (Debian 12) with DejaVu
# Sans Mono as the fixed-pitch face, which the run asks fontconfig for; other
# faces give other pages. Usage: report_text_check.sh [BUILD_DIR]
set -euo pipefail
build="${1:-$(cd "$(dirname "$0")/.." && pwd)/build}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
cat >"$out/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <include>/etc/fonts/fonts.conf</include>
</fontconfig>
EOF
FONTCONFIG_FILE="$out/fonts.conf" ORVIK_BENCH_PDF_DIR="$out" "$build/bin/review_huge_bench" >/dev/null
status=0
check() { # NAME PAGES SHA256
    local pages text
    pages="$(pdfinfo "$out/$1.pdf" | awk '/^Pages:/ {print $2}')"
    text="$(pdftotext -layout "$out/$1.pdf" - | sha256sum | cut -d' ' -f1)"
    if [ "$pages" = "$2" ] && [ "$text" = "$3" ]; then
        echo "$1: $pages pages, text as before"
    else
        echo "$1: $pages pages (expected $2), text $text (expected $3)" >&2
        status=1
    fi
}
check wide 1613 9a5251cfcc7f590792b44675f491678e439ab00b58f55d219700061c202b2772
check narrow 1283 d035fb0efc147a85d1b9891d2109e17648a041cad7cca8a8b3e6bd265bd59097
exit $status
