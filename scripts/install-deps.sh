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
  # the XML reader; curl fetches expat's source for the Windows build
  libexpat1-dev
  curl
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

# The Windows build compiles expat from Debian's source of the version the Linux build links, as
# no mingw package of it exists. Fetched once into third_party/ (not tracked), checked, unpacked:
# only its library sources and licence are kept.
expat_dir="$(cd "$(dirname "$0")/.." && pwd)/third_party/expat-2.5.0"
if [ ! -f "$expat_dir/lib/xmlparse.c" ]; then
  expat_url=http://deb.debian.org/debian/pool/main/e/expat/expat_2.5.0.orig.tar.gz
  expat_sha256=ab00ee05c7067fd10a35c5d2a4922ebba746ddd50ff83b79c828da17bbdf1757
  mkdir -p "$(dirname "$expat_dir")"
  work=$(mktemp -d "$expat_dir.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  curl -fsSL --retry 3 -o "$work/expat.tar.gz" "$expat_url"
  echo "$expat_sha256  $work/expat.tar.gz" | sha256sum -c --quiet -
  mkdir "$work/expat"
  tar -xzf "$work/expat.tar.gz" -C "$work/expat" --strip-components=2 \
    libexpat-R_2_5_0/expat/COPYING libexpat-R_2_5_0/expat/expat_config.h.cmake \
    libexpat-R_2_5_0/expat/lib
  # Another run may have finished first; either copy is the same.
  mv -T "$work/expat" "$expat_dir" 2>/dev/null || [ -f "$expat_dir/lib/xmlparse.c" ]
  rm -rf "$work"
  trap - EXIT
fi
