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

# Converts with the installed pattern data, or, given a system folder, with the pattern data that
# the setting there names.
convert_sample() {  # root of an installation, prefix inside it[, system folder]
  local root=$1 prefix=$2 patdat=()
  [ $# -ge 3 ] || patdat=(--patdat "$root$prefix/share/tavrimen/patdat")
  cp -r "$root$prefix/share/tavrimen/samples/B-201" "$work/B-201"
  mkdir -p "$work/out"
  TAVRIMEN_SYSTEM_DIR=${3:-/nonexistent} "$root$prefix/bin/tavrimen-convert" "${patdat[@]}" \
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
# A setting in another letter case is the one the program reads: nothing is written beside it.
etc=$work/root/etc/tavrimen
rm -rf "$etc" && mkdir -p "$etc"
printf 'mine\r\n%s\r\n' "$work/root/opt/tavrimen/share/tavrimen/patdat/" >"$etc/PATDATV5.INI"
DESTDIR="$work/root" cmake --install "$build" --prefix /opt/tavrimen >/dev/null
[ "$(ls -A "$etc")" = PATDATV5.INI ] || fail "cmake --install wrote a setting beside PATDATV5.INI"
convert_sample "$work/root" /opt/tavrimen "$etc"
# A symbolic link at the setting's path is left alone, and the install says so.
rm -rf "$etc" && mkdir -p "$etc" "$work/elsewhere"
ln -s "$work/elsewhere/setting" "$etc/PatdatV5.ini"
DESTDIR="$work/root" cmake --install "$build" --prefix /opt/tavrimen >"$work/install.log" 2>&1
[ -L "$etc/PatdatV5.ini" ] && [ ! -e "$work/elsewhere/setting" ] ||
  fail "cmake --install wrote through a symbolic link"
grep -q 'symbolic link' "$work/install.log" || fail "cmake --install did not say why"

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
  >"$work/dpkg.log" 2>&1; }
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

# A setting in another letter case is the one the program reads: postinst writes nothing beside
# it, and purge leaves it as it was.
etc=$sys/etc/tavrimen
rm -rf "$etc" && mkdir -p "$etc"
printf 'mine\r\n%s\r\n' "$sys/usr/share/tavrimen/patdat/" >"$etc/patdatv5.ini"
cp "$etc/patdatv5.ini" "$work/mine"
dpkg_in -i "$deb" || fail "dpkg -i over patdatv5.ini"
[ "$(ls -A "$etc")" = patdatv5.ini ] || fail "postinst wrote a setting beside patdatv5.ini"
convert_sample "$sys" /usr "$etc"
dpkg_in -P tavrimen || fail "dpkg -P"
cmp -s "$work/mine" "$etc/patdatv5.ini" || fail "purge changed patdatv5.ini"
# A symbolic link at the setting's path: postinst leaves it alone and says so; purge keeps it even
# when what it points to holds the package's own setting.
rm -rf "$etc" "$work/elsewhere" && mkdir -p "$etc" "$work/elsewhere"
ln -s "$work/elsewhere/setting" "$etc/PatdatV5.ini"
dpkg_in -i "$deb" || fail "dpkg -i over a symbolic link"
[ -L "$etc/PatdatV5.ini" ] && [ ! -e "$work/elsewhere/setting" ] ||
  fail "postinst wrote through a symbolic link"
grep -q 'symbolic link' "$work/dpkg.log" || fail "postinst did not say why"
printf '[PATDAT]\r\n/usr/share/tavrimen/patdat/\r\n' >"$work/elsewhere/setting"
dpkg_in -P tavrimen || fail "dpkg -P"
[ -L "$etc/PatdatV5.ini" ] || fail "purge removed a symbolic link"
echo "1 passed, 0 failed"
