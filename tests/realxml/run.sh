#!/usr/bin/env bash
# The record files of the real boring XML files, byte for byte: converts every file of REALXML
# (a folder of them is one batch) with CONVERTER and compares each record file with EXPECTED.
#
#   tests/realxml/run.sh CONVERTER REALXML EXPECTED [--update]
#
# CONVERTER may be a command with arguments (it is word-split), e.g. scripts/wine-run.sh X.exe.
# --update writes the record files into EXPECTED instead, after a change meant to alter them.
set -euo pipefail
converter=$1 realxml=$2 expected=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/realxml.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2086
$converter --yes "$realxml" "$work/out" >"$work/stdout" 2>"$work/stderr" || {
  cat "$work/stderr" >&2
  exit 1
}
if [ "${4:-}" = --update ]; then
  rm -rf "$expected"
  cp -r "$work/out" "$expected"
  exit 0
fi
if ! diff -r "$expected" "$work/out"; then
  echo "record files differ from $expected" >&2
  exit 1
fi
echo "$(ls "$expected" | wc -l) record files as expected"
