#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
