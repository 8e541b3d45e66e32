#!/usr/bin/env bash
# Installs the build into a staging root with `cmake --install`, builds the Debian package with
# CPack and unpacks it into another staging root, and converts a sample boring with each installed
# tool and its installed pattern data.
#
#   scripts/test-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: test-package.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

convert_sample() {  # root of an installation, prefix inside it
  local root=$1 prefix=$2
  cp -r "$root$prefix/share/tavrimen/samples/B-201" "$work/B-201"
  mkdir -p "$work/out"
  "$root$prefix/bin/tavrimen-convert" --patdat "$root$prefix/share/tavrimen/patdat" \
    "$work/B-201" "$work/out" >/dev/null || fail "the installed tool did not convert"
  cmp -s "$work/out/B-201" "$here/samples/expected/B-201" || fail "record file differs"
  rm -rf "$work/B-201" "$work/out"
}

# cmake --install writes the setting once and keeps an existing one.
DESTDIR="$work/root" cmake --install "$build" --prefix /opt/tavrimen >/dev/null
[ -x "$work/root/opt/tavrimen/bin/tavrimen-convert" ] || fail "tavrimen-convert not installed"
grep -q '/opt/tavrimen/share/tavrimen/patdat/' "$work/root/etc/tavrimen/PatdatV5.ini" ||
  fail "setting not written"
printf 'x\r\nZ:\\mine\\\r\n' > "$work/root/etc/tavrimen/PatdatV5.ini"
DESTDIR="$work/root" cmake --install "$build" --prefix /opt/tavrimen >/dev/null
grep -q 'mine' "$work/root/etc/tavrimen/PatdatV5.ini" || fail "an existing setting was replaced"
convert_sample "$work/root" /opt/tavrimen

# The Debian package holds the same and writes the setting from its postinst.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
dpkg-deb -x "$deb" "$work/deb"
dpkg-deb -e "$deb" "$work/control"
grep -q 'PatdatV5.ini' "$work/control/postinst" || fail "postinst does not write the setting"
[ ! -e "$work/deb/etc" ] || fail "the package must not ship a setting of its own"
[ -f "$work/deb/usr/share/applications/tavrimen.desktop" ] || [ ! -e "$build/tavrimen" ] ||
  fail "desktop entry missing"
convert_sample "$work/deb" /usr
echo "1 passed, 0 failed"
