#!/usr/bin/env bash
# Converts a batch of borings with --svg under a Japanese locale, renders its overview index.html
# in headless Chromium at 1000 px, and fails when an outcome cell wraps onto a second line or does
# not fit its cell. The batch has long folder names and long messages, which squeeze the columns.
#
#   scripts/test-overview-layout.sh CONVERTER
set -euo pipefail
converter=${1:?usage: test-overview-layout.sh CONVERTER}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The samples, converted; one copied below long folder names, one refused for a record file name
# taken by another, one failed for a number too large.
cp -r "$here/samples/borings" "$work/site"
long="$work/site/東地区-第二期-追加調査-2025年度-地盤改良計画のための補足ボーリング"
mkdir -p "$long/北側敷地境界付近" "$work/site/西地区"
cp -r "$here/samples/borings/B-201" "$long/北側敷地境界付近/B-9999-補足"
cp -r "$here/samples/borings/B-101" "$work/site/西地区/B-101"
cp -r "$here/samples/borings/B-301" "$work/site/西地区/B-302"
printf '1,1e39,20,0\r\n' >"$work/site/西地区/B-302/X1.txt"

# The Japanese locale, made where it is missing and can be made.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 2>/dev/null || true
fi
export LANG=ja_JP.UTF-8 LC_ALL= LC_MESSAGES=
# shellcheck disable=SC2086
$converter --patdat "$here/samples/patdat" --svg "$work/pictures" --all "$work/site" "$work/out" \
  --yes >/dev/null 2>"$work/stderr" || true
if [ ! -f "$work/pictures/index.html" ]; then
  echo "FAIL: no overview was written"
  cat "$work/stderr"
  exit 1
fi

# The page with a script that writes, once it is laid out, each outcome cell whose text takes more
# than one line or more room than its cell.
cp "$work/pictures/index.html" "$work/pictures/measured.html"
cat >>"$work/pictures/measured.html" <<'SCRIPT'
<script>
const cells = document.querySelectorAll('td.outcome, th.outcome');
const faults = [];
for (const cell of cells) {
  const text = document.createRange();
  text.selectNodeContents(cell);
  const lines = new Set(Array.from(text.getClientRects(), rect => Math.round(rect.top))).size;
  if (lines !== 1 || cell.scrollWidth > cell.clientWidth) {
    faults.push(`${cell.textContent}: ${lines} lines, ${cell.scrollWidth}/${cell.clientWidth} px`);
  }
}
const result = document.createElement('pre');
result.id = 'layout';
result.textContent = `cells ${cells.length} faults ${faults.length}: ${faults.join('; ')}`;
document.body.append(result);
</script>
SCRIPT
bash "$here/scripts/headless-chromium.sh" --window-size=1000,700 \
  --dump-dom "file://$work/pictures/measured.html" >"$work/dom.html"
result=$(sed -n 's/.*<pre id="layout">\(.*\)<\/pre>.*/\1/p' "$work/dom.html")
echo "$result"
# The heading and a row for each boring, none of them wrapped.
rows=$(find "$work/site" -name X1.txt | wc -l)
if [ "$result" != "cells $((rows + 1)) faults 0: " ]; then
  echo "FAIL: an outcome wraps, or the page lacks some of the $rows rows, at 1000 px"
  exit 1
fi
