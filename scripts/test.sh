#!/usr/bin/env bash
# Builds everything and runs every test. Arguments go to CMake (for example -DTAVRIMEN_SANITIZE=ON
# with BUILD_DIR=build-asan).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh" "$@"
build=${BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
