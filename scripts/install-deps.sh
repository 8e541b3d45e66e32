#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Safe to run again:
# apt-get runs only when a package is missing.
set -euo pipefail
packages=(
  cmake
  g++
  ninja-build
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  clang-format
  python3
  # the XML reader
  libexpat1-dev
  # the window and its tests
  qt6-base-dev
  qt6-translations-l10n
  fonts-ipafont-gothic
  # fuzzing
  clang
  libclang-rt-14-dev
  # the Windows build, run under wine
  g++-mingw-w64-x86-64-posix
  wine64
  googletest
  # the Windows installer
  nsis
  # the Debian package
  dpkg-dev
  file
  lintian
  desktop-file-utils
  # the window tests under wine, and rendering the windows for the README
  xvfb
  xauth
  imagemagick
  # rendering the sample boring's log (SVG) for the README
  librsvg2-bin
  fonts-wine
  locales
  # the batch overview in a browser: its layout test and screenshot, and its printed pages as images
  chromium
  poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
