#!/usr/bin/env bash
# Builds the converter and converts every sample boring with the sample pattern-data folder into
# out/, then shows one record file (decoded from code page 932 for the terminal).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
out=$here/out
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
# The conversion may create empty files in a source folder; work on a copy of the samples.
cp -r "$here/samples/borings" "$work/"
for boring in "$work"/borings/*/; do
  echo "== $(basename "$boring")"
  "$build/tavrimen-convert" --patdat "$here/samples/patdat" "$boring" "$out"
done
shown=B-201
echo
echo "== out/$shown"
iconv -f CP932 -t UTF-8 "$out/$shown" | tr -d '\r'
