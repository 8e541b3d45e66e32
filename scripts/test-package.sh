#!/usr/bin/env bash
# Installs the build into a staging root with `cmake --install`, builds the Debian package with
# CPack, checks it with lintian and its desktop entry with desktop-file-validate, installs, purges
# and reinstalls it with dpkg in a staging root of its own, and converts a sample boring with each
# installed tool and its installed pattern data.
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
for file in usr/share/man/man1/tavrimen-convert.1.gz usr/share/doc/tavrimen/copyright \
  usr/share/doc/tavrimen/changelog.gz usr/share/bash-completion/completions/tavrimen-convert \
  usr/share/icons/hicolor/scalable/apps/tavrimen.svg; do
  [ -f "$work/deb/$file" ] || fail "$file missing from the package"
done
"$work/deb/usr/bin/tavrimen-convert" --version | grep -qx 'tavrimen-convert [0-9.]*' ||
  fail "tavrimen-convert --version"
if [ -e "$build/tavrimen" ]; then
  "$work/deb/usr/bin/tavrimen" --version | grep -qx 'tavrimen [0-9.]*' || fail "tavrimen --version"
  desktop-file-validate "$work/deb/usr/share/applications/tavrimen.desktop" ||
    fail "desktop entry not valid"
  [ -z "$(desktop-file-validate "$work/deb/usr/share/applications/tavrimen.desktop")" ] ||
    fail "desktop entry has warnings"
fi
bash -n "$work/deb/usr/share/bash-completion/completions/tavrimen-convert" ||
  fail "bash completion does not parse"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-ipafont-gothic' || fail "no Japanese font dependency"

# lintian: no errors (its warnings are shown).
lintian --allow-root "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors"

# Install, purge and reinstall with dpkg in a staging root; the maintainer scripts run there.
sys=$work/sys
mkdir -p "$sys/var/lib/dpkg/info" "$sys/var/lib/dpkg/updates"
touch "$sys/var/lib/dpkg/status"
dpkg_in() { dpkg --root="$sys" --force-script-chrootless --force-depends --log=/dev/null "$@" \
  >/dev/null 2>&1; }
setting=$sys/etc/tavrimen/PatdatV5.ini
dpkg_in -i "$deb" || fail "dpkg -i"
grep -q '/usr/share/tavrimen/patdat/' "$setting" || fail "postinst wrote no setting"
dpkg_in -P tavrimen || fail "dpkg -P"
[ ! -e "$setting" ] && [ ! -e "$sys/etc/tavrimen" ] || fail "purge left the package's setting"
dpkg_in -i "$deb" || fail "dpkg -i after purge"
[ -f "$setting" ] || fail "reinstall wrote no setting"
printf 'mine\r\nZ:\\data\\patdat\\\r\n' >"$setting"
dpkg_in -i "$deb" || fail "dpkg -i over an installed package"
dpkg_in -P tavrimen || fail "dpkg -P"
grep -q 'mine' "$setting" || fail "purge removed a setting the user wrote"
echo "1 passed, 0 failed"
