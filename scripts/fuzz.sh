#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (default 60)
# on a working copy of its seed corpus (tests/fuzz/corpus/<target>). A crash leaves its input in
# build-fuzz/artifacts/ and fails the script: turn it into a regression test.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
bash "$here/scripts/install-deps.sh"
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRIMEN_FUZZ=ON -DTAVRIMEN_BUILD_TESTS=OFF -DTAVRIMEN_BUILD_GUI=OFF >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(item_reader_fuzz number_fuzz cp932_fuzz title_files_fuzz conversion_fuzz log_fuzz
    xml_fuzz)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"
mkdir -p "$build/artifacts"
failed=0
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== $target (${seconds}s)"
  if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
      "$work" "$here/tests/fuzz/corpus/$target" 2>"$build/$target.log"; then
    tail -n 40 "$build/$target.log"
    failed=$((failed + 1))
  else
    grep -E '^stat::number_of_executed_units|^#.*DONE' "$build/$target.log" | tail -n 1 || true
  fi
done
echo "$(( ${#targets[@]} - failed )) passed, $failed failed"
[ $failed -eq 0 ]
