#!/usr/bin/env bash
# Renders the window under Xvfb as a Linux user sees it, and saves it as docs/window.png: the sample
# borings in ~/borings of a user "engineer", the pattern data where the Debian package installs
# it, and native paths throughout. Where this runs as root, /home is a private mount for the shot,
# so that the picture shows /home/engineer; elsewhere the home folder is a temporary one.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/system" "$work/home/engineer" "$here/docs"
cp -r "$here/samples/borings" "$work/home/engineer/borings"
cp -r "$here/samples/patdat" "$work/patdat"
home=$work/home
if [ "$(id -u)" -eq 0 ] && unshare -m true 2>/dev/null; then home=/home; fi
printf '[PATDAT]\r\n%s\r\n' "$work/patdat/" >"$work/system/PatdatV5.ini"
cat >"$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
set -u
[ "$home" = /home ] && mount --bind "$work/home" /home
export HOME="$home/engineer"
cd "\$HOME/borings"
env -u TAVRIMEN_DRIVES TAVRIMEN_SYSTEM_DIR="$work/system" "$build/tavrimen" &
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
run=(bash "$work/shoot.sh")
[ "$home" = /home ] && run=(unshare -m --propagation private bash "$work/shoot.sh")
xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
/usr/bin/convert "$work/root.png" -trim +repage "$here/docs/window.png"
echo "docs/window.png"
