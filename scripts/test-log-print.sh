#!/usr/bin/env bash
# Prints the log of the 58 m sample boring B-401 from headless Chromium to PDF and checks that it
# takes three A4 pages at true scale: on the first page the scale's 5 m and 15 m lie 100 mm apart.
#
#   scripts/test-log-print.sh CONVERTER
set -euo pipefail
converter=${1:?usage: test-log-print.sh CONVERTER}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/samples/borings/B-401" "$work/B-401"
"$converter" --patdat "$here/samples/patdat" --svg="$work/pictures" --yes "$work/B-401" \
  "$work/out" >/dev/null
bash "$here/scripts/headless-chromium.sh" --no-pdf-header-footer \
  --print-to-pdf="$work/log.pdf" "file://$work/pictures/B-401.svg"
pdfinfo "$work/log.pdf" >"$work/info"
pages=$(awk '/^Pages:/ {print $2}' "$work/info")
size=$(awk '/^Page size:/ {print $3, $5}' "$work/info")
# A4 is 595.28 by 841.89 points; Chromium rounds to its own units.
read -r width height <<<"$size"
fail=0
if [ "$pages" != 3 ]; then echo "FAIL: $pages pages, not 3"; fail=1; fi
if ! awk -v w="$width" -v h="$height" 'BEGIN { exit !(w > 594 && w < 596.5 && h > 840.5 && h < 843) }'; then
  echo "FAIL: page size $width x $height pt, not A4"
  fail=1
fi
# The scale's labels are the words in its column, left of 12 mm (34 pt), on page 1.
pdftotext -f 1 -l 1 -bbox "$work/log.pdf" "$work/words.html"
apart=$(awk -F'"' '/<word / {
           text = $0; sub(/.*">/, "", text); sub(/<\/word>.*/, "", text)
           if ($2 < 34) top[text] = $4 }
         END { if (("5" in top) && ("15" in top)) print top["15"] - top["5"]; else print "none" }' \
         "$work/words.html")
if [ "$apart" = none ] || ! awk -v d="$apart" 'BEGIN { exit !(d > 282.5 && d < 284.5) }'; then
  echo "FAIL: the scale's 5 m and 15 m are $apart pt apart, not 283.46 (100 mm)"
  fail=1
fi
[ $fail -eq 0 ] && echo "3 A4 pages, 10 m of depth = 100 mm on paper"
exit $fail
