#!/usr/bin/env bash
# Converts every sample boring with the sample pattern-data folder and compares each record file
# with samples/expected/<boring>, byte for byte. With --update, writes the expected files instead.
#
#   scripts/check-samples.sh [--update] CONVERTER
#
# CONVERTER may be a command with arguments (it is word-split).
set -euo pipefail
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi
converter=${1:?usage: check-samples.sh [--update] CONVERTER}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The conversion may create empty files in a source folder: work on a copy.
cp -r "$here/samples/borings" "$work/borings"
mkdir "$work/out"
passed=0
failed=0
for boring in "$work"/borings/*/; do
  name=$(basename "$boring")
  # shellcheck disable=SC2086
  if ! $converter --patdat "$here/samples/patdat" "$boring" "$work/out" >/dev/null; then
    echo "FAIL $name: the conversion did not succeed"
    failed=$((failed + 1))
    continue
  fi
  if [ $update -eq 1 ]; then
    mkdir -p "$here/samples/expected"
    cp "$work/out/$name" "$here/samples/expected/$name"
  fi
  if cmp -s "$work/out/$name" "$here/samples/expected/$name"; then
    passed=$((passed + 1))
  else
    echo "FAIL $name: the record file differs from samples/expected/$name"
    diff <(iconv -f CP932 -t UTF-8 "$here/samples/expected/$name") \
         <(iconv -f CP932 -t UTF-8 "$work/out/$name") | head -n 5 || true
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
