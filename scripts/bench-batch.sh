#!/usr/bin/env bash
# Builds and runs the batch benchmark: tavrimen-convert --all over N generated borings (default
# 20000) against the floor of reading every input once and writing every record file once; with
# --xml, a folder of N XML borings (default 10000) converted as one batch (tavrimen-convert --yes
# FOLDER OUT), target 10,000 in under 30 s.
# Usage: [TMPDIR=DIR] scripts/bench-batch.sh [N [JOBS]] [--xml]; the data goes under $TMPDIR
# (default /tmp). Exit status 1 when a target is missed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
xml=()
numbers=()
for argument in "$@"; do
  if [[ $argument == --xml ]]; then xml=(--xml); else numbers+=("$argument"); fi
done
count=${numbers[0]:-$([[ ${#xml[@]} -gt 0 ]] && echo 10000 || echo 20000)}
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
exec "$build/batch_bench" "$count" ${numbers[1]:+"${numbers[1]}"} "${xml[@]}"
