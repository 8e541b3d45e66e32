#!/usr/bin/env bash
# Converts the sample boring B-201 with --svg and renders its picture for the README:
# docs/log-B-201.svg as the tool draws it, and docs/log-B-201.png from it with rsvg-convert.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/samples/borings/B-201" "$work/B-201"
"$build/tavrimen-convert" --patdat "$here/samples/patdat" --svg="$work/pictures" "$work/B-201" \
  "$work/out" --yes >/dev/null
mkdir -p "$here/docs"
cp "$work/pictures/B-201.svg" "$here/docs/log-B-201.svg"
rsvg-convert --background-color=white -o "$here/docs/log-B-201.png" "$here/docs/log-B-201.svg"
echo "docs/log-B-201.svg docs/log-B-201.png"
