#!/usr/bin/env bash
# Draws the logs of the sample borings B-201 (20.45 m, two pages) and B-401 (58 m, three pages)
# with --svg, prints them from headless Chromium as a browser prints them, and renders the
# printed pages for the README: docs/log-B-201.svg and docs/log-B-201.png (its first page),
# docs/log-B-401.svg and docs/log-B-401.png (its pages side by side).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/samples/borings/B-201" "$here/samples/borings/B-401" "$work/"
"$build/tavrimen-convert" --patdat "$here/samples/patdat" --svg="$work/pictures" "$work/B-201" \
  "$work/B-401" "$work/out" --yes >/dev/null
mkdir -p "$here/docs"
for boring in B-201 B-401; do
  cp "$work/pictures/$boring.svg" "$here/docs/log-$boring.svg"
  bash "$here/scripts/headless-chromium.sh" --no-pdf-header-footer \
    --print-to-pdf="$work/$boring.pdf" "file://$work/pictures/$boring.svg"
done
pdftoppm -f 1 -l 1 -r 110 -png -singlefile "$work/B-201.pdf" "$here/docs/log-B-201"
pdftoppm -r 60 -png "$work/B-401.pdf" "$work/B-401-page"
convert "$work"/B-401-page-*.png -bordercolor '#999999' -border 1 +append "$here/docs/log-B-401.png"
echo "docs/log-B-201.svg docs/log-B-201.png docs/log-B-401.svg docs/log-B-401.png"
