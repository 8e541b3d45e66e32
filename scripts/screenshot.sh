#!/usr/bin/env bash
# Renders the window under Xvfb with the sample pattern data and saves it as docs/window.png.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/system" "$here/docs"
printf '[PATDAT]\r\n%s\r\n' "$here/samples/patdat/" > "$work/system/PatdatV5.ini"
cat > "$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
set -u
cd "$here/samples/borings"
TAVRIMEN_DRIVES="C=$here/samples" TAVRIMEN_SYSTEM_DIR="$work/system" "$build/tavrimen" &
app=\$!
# Wait until the window has drawn something on the black root window.
for _ in \$(seq 1 100); do
  /usr/bin/import -window root "$work/root.png" 2>/dev/null
  if [ "\$(/usr/bin/convert "$work/root.png" -format '%[fx:standard_deviation>0]' info:)" = 1 ]; then
    sleep 0.5
    /usr/bin/import -window root "$work/root.png"
    break
  fi
  sleep 0.1
done
kill \$app
SHOOT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/shoot.sh"
/usr/bin/convert "$work/root.png" -trim +repage "$here/docs/window.png"
echo "docs/window.png"
