#!/usr/bin/env bash
# Builds the Windows installer with CPack and tests it under wine, in a private wine prefix:
# a silent install into a folder the user chose, the files, the Start-menu entry, the entry in
# the list of installed programs and the setting; a sample boring converted by the installed
# tool with that setting; an upgrade to a newer version over it (programs replaced, setting
# kept); a silent uninstall (programs gone, a record file and a user's own setting kept).
#
#   scripts/test-installer.sh WINDOWS_BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: test-installer.sh WINDOWS_BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
# No menu entries of the host desktop for what the installer puts in the Start menu.
export WINEDEBUG=-all WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset TAVRIMEN_SYSTEM_DIR TAVRIMEN_DRIVES
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR

version=$(sed -n 's/^project(tavrimen VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || fail "no project version"
package() {  # version -> installer
  (cd "$work" && cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/pkg-$1" \
    -D CPACK_PACKAGE_VERSION="$1" -D CPACK_PACKAGE_FILE_NAME="tavrimen-$1-setup" >/dev/null)
  echo "$work/pkg-$1/tavrimen-$1-setup.exe"
}
installer=$(package "$version")
newer=$(package 99.0.0)
# A new prefix; its first start is retried once, and what wine said is shown when it fails.
if ! "$wine" wineboot --init </dev/null >"$work/wineboot.log" 2>&1; then
  "$wineserver" -k 2>/dev/null || true
  sleep 2
  "$wine" wineboot --init </dev/null >"$work/wineboot.log" 2>&1 ||
    fail "wineboot: $(tail -5 "$work/wineboot.log")"
fi
"$wineserver" -w

c="$WINEPREFIX/drive_c"
dir="$c/Apps/Tavrimen"  # C:\Apps\Tavrimen, chosen instead of Program Files
setting="$c/windows/system32/PatdatV5.ini"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrimen Zm38"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrimen Zm38'
wine_wait() { "$wine" "$@" </dev/null >/dev/null 2>&1; "$wineserver" -w; }
install() { wine_wait "${1:-$installer}" /S '/D=C:\Apps\Tavrimen'; }
registered() {  # value name -> its data
  "$wine" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
# The uninstaller as the list of installed programs runs it, silently.
uninstall() {
  local command
  command=$(registered QuietUninstallString)
  [ "$command" = '"C:\Apps\Tavrimen\Uninstall.exe" /S' ] || fail "quiet uninstall: $command"
  wine_wait "$dir/Uninstall.exe" /S
}

# A fresh install: the programs (no DLL beside them, none but the system's imported), the data,
# the menu entry, the uninstall entry and the setting naming the installed pattern data.
install
for f in tavrimen.exe tavrimen-convert.exe Uninstall.exe patdat/KISHITU.TXT samples/B-201/X1.txt \
  samples/南棟-No.3/X1.txt; do
  [ -f "$dir/$f" ] || fail "$f not installed"
done
[ -z "$(find "$dir" -iname '*.dll')" ] || fail "DLLs installed beside the programs"
for program in tavrimen.exe tavrimen-convert.exe; do
  if x86_64-w64-mingw32-objdump -p "$dir/$program" | grep -i 'DLL Name' |
    grep -viE 'kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|msvcrt|ws2_32|shlwapi|uxtheme|api-ms-win'; then
    fail "$program needs a DLL that Windows does not have"
  fi
done
shortcut="$menu/ボーリングデータ変換.lnk"
[ -f "$shortcut" ] || fail "no Start-menu entry"
strings -el "$shortcut" | grep -qi 'Apps\\Tavrimen\\tavrimen.exe' || fail "the entry starts no window"
[ "$(registered DisplayName)" = 'Tavrimen Zm38' ] || fail "not in the list of installed programs"
[ "$(registered DisplayVersion)" = "$version" ] || fail "version: $(registered DisplayVersion)"
[ "$(registered Publisher)" = 'Tavrimen' ] || fail "publisher: $(registered Publisher)"
[ "$(registered DisplayIcon)" = 'C:\Apps\Tavrimen\tavrimen.exe,0' ] || fail "no icon"
[ "$(cat "$setting")" = "$(printf '[PATDAT]\r\n"C:\\Apps\\Tavrimen\\patdat\\"\r')" ] ||
  fail "setting not written: $(cat -A "$setting")"

# The installed tool converts a sample boring with the setting alone, into a folder of the user's
# inside the installation.
cp -r "$dir/samples/B-201" "$c/B-201"
wine_wait "$dir/tavrimen-convert.exe" --yes 'C:\B-201' 'C:\Apps\Tavrimen\records'
cmp -s "$dir/records/B-201" "$here/samples/expected/B-201" || fail "record file differs"

# A newer version over it replaces the programs and keeps the setting.
cp "$setting" "$work/setting"
echo "damaged" >"$dir/tavrimen-convert.exe"
install "$newer"
packed=$(find "$work/pkg-99.0.0/_CPack_Packages" -name tavrimen-convert.exe | head -1)
cmp -s "$dir/tavrimen-convert.exe" "$packed" || fail "the program was not replaced"
cmp -s "$setting" "$work/setting" || fail "the setting changed"
[ "$(registered DisplayVersion)" = 99.0.0 ] || fail "the newer version is not listed"
[ -f "$dir/records/B-201" ] || fail "the upgrade removed a record file"

# Uninstalling removes what the installer put there, and the setting it wrote, and nothing else.
uninstall
for f in tavrimen.exe tavrimen-convert.exe Uninstall.exe patdat samples; do
  [ ! -e "$dir/$f" ] || fail "$f left after uninstalling"
done
[ ! -e "$menu" ] || fail "Start-menu entry left after uninstalling"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "still in the list of programs"
[ -f "$dir/records/B-201" ] || fail "the user's record file was removed"
[ ! -e "$setting" ] || fail "the setting the installer wrote was left behind"

# A user's own setting survives an install, an upgrade and an uninstall untouched.
printf '[PATDAT]\r\nC:\\mine\\patdat\\\r\n' >"$setting"
cp "$setting" "$work/setting"
install
install "$newer"
uninstall
cmp -s "$setting" "$work/setting" || fail "a user's setting was touched"
echo "installer: 1 passed, 0 failed"
