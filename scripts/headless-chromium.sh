#!/usr/bin/env bash
# Runs Chromium headless with a fresh profile, without a sandbox (it runs as root in CI) and
# without any network of its own (the closed network refuses its background connections), then
# removes the profile. The arguments go to Chromium, e.g. --dump-dom URL or --screenshot=FILE URL.
#
#   scripts/headless-chromium.sh ARGUMENT...
#
# CHROMIUM names the program (default: chromium).
set -euo pipefail
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# Its own diagnostics (no D-Bus, no GPU) go to standard error, which only shows when it fails.
if ! timeout 60 "${CHROMIUM:-chromium}" --headless --no-sandbox --disable-gpu --disable-quic \
  --no-first-run --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" "$@" 2>"$profile/stderr"; then
  cat "$profile/stderr" >&2
  exit 1
fi
