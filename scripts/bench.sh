#!/usr/bin/env bash
# Builds and runs the benchmarks: conversion time against the input/output floor for a typical and
# the largest boring, and tavrimen-convert's peak memory and process time. Exit status 1 when a
# target is missed. Arguments go to Google Benchmark (for example --benchmark_repetitions=5).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
exec "$build/conversion_bench" --check "$@"
