#!/usr/bin/env bash
# Converts the sample borings with --svg under a Japanese locale and takes a screenshot of their
# overview index.html in headless Chromium, 1000 by 700 px, for the README: docs/overview.png.
# With --print DIR, also the overview as printed: DIR/overview-print-N.png for each page.
#
#   scripts/render-overview.sh [--print DIR]
set -euo pipefail
print=
if [ "${1:-}" = "--print" ]; then print=${2:?usage: render-overview.sh [--print DIR]}; fi
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The conversion may create empty files in a source folder: work on a copy.
cp -r "$here/samples/borings" "$work/borings"
LANG=ja_JP.UTF-8 LC_ALL= LC_MESSAGES= "$build/tavrimen-convert" --patdat "$here/samples/patdat" \
  --svg "$work/pictures" --all "$work/borings" "$work/out" --yes >/dev/null
mkdir -p "$here/docs"
LANG=ja_JP.UTF-8 bash "$here/scripts/headless-chromium.sh" --window-size=1000,700 \
  --screenshot="$here/docs/overview.png" "file://$work/pictures/index.html"
echo "docs/overview.png"
if [ -n "$print" ]; then
  mkdir -p "$print"
  LANG=ja_JP.UTF-8 bash "$here/scripts/headless-chromium.sh" --no-pdf-header-footer \
    --print-to-pdf="$work/overview.pdf" "file://$work/pictures/index.html"
  pdftoppm -png -r 60 "$work/overview.pdf" "$print/overview-print"
  ls "$print"/overview-print-*.png
fi
