#!/usr/bin/env bash
# Builds and runs the batch benchmark: tavrimen-convert --all over N generated borings (default
# 20000) against the floor of reading every input once and writing every record file once.
# Usage: [TMPDIR=DIR] scripts/bench-batch.sh [N [JOBS]]; the data goes under $TMPDIR (default
# /tmp). Exit status 1 when a target is missed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
exec "$build/batch_bench" "${1:-20000}" ${2:+"$2"}
