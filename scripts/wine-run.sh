#!/usr/bin/env bash
# Runs a Windows program under wine64, turning each argument that is an absolute POSIX path into
# the same path on wine's drive Z: (which stands for /).
#
#   scripts/wine-run.sh PROGRAM.exe [ARG...]
set -euo pipefail
program=$1
shift
args=()
for arg in "$@"; do
  if [[ $arg == /* ]]; then
    arg="Z:${arg//\//\\}"
  fi
  args+=("$arg")
done
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
exec "$wine" "$program" "${args[@]}"
