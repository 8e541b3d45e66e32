#!/usr/bin/env bash
# Renders the Windows window under wine and Xvfb, as a Japanese Windows desktop shows it, with the
# sample pattern data, and saves it as docs/window-windows.png. Builds and tests the Windows build
# first (scripts/test-windows.sh), which leaves the program and a wine prefix in build-win/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${WIN_BUILD_DIR:-$here/build-win}
[ -x "$build/tavrimen.exe" ] || bash "$here/scripts/test-windows.sh"
# Wine takes its code page and its system fonts from the locale.
locale -a | grep -qix 'ja_JP.utf-\?8' || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/system" "$here/docs"
to_windows() { echo "Z:$1" | tr / '\\'; }
printf '[PATDAT]\r\n%s\\\r\n' "$(to_windows "$here/samples/patdat")" >"$work/system/PatdatV5.ini"
cat >"$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
set -u
export WINEDEBUG=-all WINEPREFIX="$build/wineprefix" WINEARCH=win64 LANG=ja_JP.UTF-8
export TAVRIMEN_SYSTEM_DIR='$(to_windows "$work/system")'
wine=\$(command -v wine64 || echo /usr/lib/wine/wine64)
# Wine's caption font in a Japanese locale is a small bitmap font that loses the underscore; a
# Japanese Windows draws captions with its outline UI font, 22 pixels high.
metrics='HKCU\\Control Panel\\Desktop\\WindowMetrics'
"\$wine" reg add "\$metrics" /v CaptionHeight /d -330 /f >/dev/null 2>&1
"\$wine" reg add "\$metrics" /v CaptionFont /t REG_BINARY /f /d $(python3 -c "
import struct
face = 'IPAPGothic'.encode('utf-16-le').ljust(64, b'\\0')
print((struct.pack('<5l8B', -12, 0, 0, 0, 400, 0, 0, 0, 128, 0, 0, 0, 0) + face).hex())") >/dev/null 2>&1
# The caption buttons are drawn with the Marlett font, which wine keeps outside the prefix.
mkdir -p "$build/wineprefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/marlett.ttf "$build/wineprefix/drive_c/windows/Fonts/" 2>/dev/null || true
# The samples on the prefix's drive C:, as an installation puts them on a Windows machine.
rm -rf "$build/wineprefix/drive_c/Tavrimen"
mkdir -p "$build/wineprefix/drive_c/Tavrimen"
cp -r "$here/samples/borings" "$build/wineprefix/drive_c/Tavrimen/"
cd "$build/wineprefix/drive_c/Tavrimen/borings"
# A wine desktop of its own draws the window's frame and caption as Windows does.
"\$wine" explorer /desktop=shot,720x560 "$build/tavrimen.exe" &
app=\$!
for _ in \$(seq 1 300); do
  /usr/bin/import -window root "$work/root.png" 2>/dev/null
  # Wait until the caption bar (its dark blue) has been drawn.
  if [ "\$(/usr/bin/convert "$work/root.png" -fill black +opaque '#0a246a' \
        -format '%[fx:mean>0.001]' info: 2>/dev/null)" = 1 ]; then
    sleep 2
    /usr/bin/import -window root "$work/root.png"
    break
  fi
  sleep 0.2
done
kill \$app 2>/dev/null
"\${wine%64}server" -k 2>/dev/null || true
SHOOT
xvfb-run -a -s "-screen 0 720x560x24" bash "$work/shoot.sh"
/usr/bin/convert "$work/root.png" -trim +repage "$here/docs/window-windows.png"
echo "docs/window-windows.png"
