#!/usr/bin/env bash
# Builds the Windows installer with CPack and tests it under wine, in a private wine prefix:
# a silent install into a folder the user chose, the files, the Start-menu entry, the entry in
# the list of installed programs and the setting; a sample boring converted by the installed
# tool with that setting; an install over it (programs replaced, setting kept); a silent
# uninstall (programs gone, a record file and a user's own setting kept).
#
#   scripts/test-installer.sh WINDOWS_BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: test-installer.sh WINDOWS_BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
export WINEDEBUG=-all WINEPREFIX="$work/prefix" WINEARCH=win64
unset TAVRIMEN_SYSTEM_DIR TAVRIMEN_DRIVES
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null)
installer=$(ls "$work"/pkg/*-setup.exe)
"$wine" wineboot --init </dev/null >/dev/null 2>&1

c="$WINEPREFIX/drive_c"
dir="$c/Apps/Tavrimen"  # C:\Apps\Tavrimen, chosen instead of Program Files
setting="$c/windows/system32/PatdatV5.ini"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavrimen Zm38"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrimen Zm38'
wine_wait() { "$wine" "$@" </dev/null >/dev/null 2>&1; "$wineserver" -w; }
install() { wine_wait "$installer" /S '/D=C:\Apps\Tavrimen'; }
uninstall() { wine_wait "$dir/Uninstall.exe" /S; }
registered() { "$wine" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | grep -q "$2"; }

# A fresh install: the programs (one .exe each, no DLL), the data, the menu entry, the uninstall
# entry and the setting naming the installed pattern data.
install
for f in tavrimen.exe tavrimen-convert.exe Uninstall.exe patdat/KISHITU.TXT samples/B-201/X1.txt \
  samples/南棟-No.3/X1.txt; do
  [ -f "$dir/$f" ] || fail "$f not installed"
done
[ -z "$(find "$dir" -iname '*.dll')" ] || fail "DLLs installed beside the programs"
[ -f "$menu/ボーリングデータ変換.lnk" ] || fail "no Start-menu entry"
registered DisplayName 'Tavrimen Zm38' || fail "not in the list of installed programs"
registered DisplayVersion "$(sed -n 's/^project(tavrimen VERSION \([0-9.]*\).*/\1/p' \
  "$here/CMakeLists.txt")" || fail "no version in the list of installed programs"
registered Publisher 'Tavrimen' || fail "no publisher"
registered DisplayIcon 'tavrimen.exe' || fail "no icon"
[ "$(cat "$setting")" = "$(printf '[PATDAT]\r\n"C:\\Apps\\Tavrimen\\patdat\\"\r')" ] ||
  fail "setting not written: $(cat -A "$setting")"

# The installed tool converts a sample boring with the setting alone, into a folder of the user's
# inside the installation.
cp -r "$dir/samples/B-201" "$c/B-201"
wine_wait "$dir/tavrimen-convert.exe" --yes 'C:\B-201' 'C:\Apps\Tavrimen\records'
cmp -s "$dir/records/B-201" "$here/samples/expected/B-201" || fail "record file differs"

# An install over it replaces the programs and keeps the setting.
cp "$setting" "$work/setting"
cp "$dir/tavrimen-convert.exe" "$work/tool"
echo "damaged" >"$dir/tavrimen-convert.exe"
install
cmp -s "$dir/tavrimen-convert.exe" "$work/tool" || fail "the program was not replaced"
cmp -s "$setting" "$work/setting" || fail "the setting changed"

# Uninstalling removes what the installer put there, and the setting it wrote, and nothing else.
uninstall
for f in tavrimen.exe tavrimen-convert.exe Uninstall.exe patdat samples/B-201/X1.txt; do
  [ ! -e "$dir/$f" ] || fail "$f left after uninstalling"
done
[ ! -e "$menu" ] || fail "Start-menu entry left after uninstalling"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "still in the list of programs"
[ -f "$dir/records/B-201" ] || fail "the user's record file was removed"
[ ! -e "$setting" ] || fail "the setting the installer wrote was left behind"

# A user's own setting survives an install and an uninstall untouched.
printf '[PATDAT]\r\nC:\\mine\\patdat\\\r\n' >"$setting"
cp "$setting" "$work/setting"
install
cmp -s "$setting" "$work/setting" || fail "the installer replaced a user's setting"
uninstall
cmp -s "$setting" "$work/setting" || fail "the uninstaller touched a user's setting"
echo "installer: 1 passed, 0 failed"
