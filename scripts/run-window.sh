#!/usr/bin/env bash
# Builds and starts the window with the sample pattern data: a system folder inside the build
# folder holds a PatdatV5.ini that names samples/patdat, and the window opens in a copy of the
# sample borings (build/borings; a conversion may add empty files to a source folder).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
mkdir -p "$build/system"
printf '[PATDAT]\r\n%s\r\n' "$here/samples/patdat/" > "$build/system/PatdatV5.ini"
rm -rf "$build/borings"
cp -r "$here/samples/borings" "$build/borings"
mkdir -p "$build/borings-out"
cd "$build/borings"
TAVRIMEN_SYSTEM_DIR="$build/system" exec "$build/tavrimen" "$@"
