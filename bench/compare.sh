#!/usr/bin/env bash
# Whole-process figures of the converter against peers and floors, printed as
# one Markdown table. Every figure is the median of RUNS runs (default 5); in
# each round our command and its peers run one after the other, so that every
# ratio is measured side by side. Times are wall time and CPU time
# (user + sys, the better guide on a busy machine); peak resident memory comes
# from /usr/bin/time -v.
#
#   bench/compare.sh [BUILD_DIR]      (default build-release; `make bench`)
#
# Needs node and npm (the peer gift-pegjs is installed into bench/peers/ on
# first use), ImageMagick, gifsicle, coreutils and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
runs=${RUNS:-5}
peers=$root/bench/peers
date=2013-07-24T15:04:05

for tool in node npm gifsicle base64 python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "compare.sh: $tool is missing" >&2; exit 1; }
done
# ImageMagick's own binary, so that no wrapper earlier on the PATH is timed.
magick=$(command -v convert-im6.q16 || command -v convert) ||
  { echo "compare.sh: ImageMagick's convert is missing" >&2; exit 1; }

if [ ! -d "$peers/node_modules/gift-pegjs" ]; then
  mkdir -p "$peers"
  npm install --prefix "$peers" --no-save --no-audit --no-fund gift-pegjs >/dev/null
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEXTTOXML_GUI=OFF \
  -DTEXTTOXML_TESTS=OFF -DTEXTTOXML_BENCH=ON >/dev/null
cmake --build "$build" --target texttoxml make_tasks make_bitmap deflate_floor >/dev/null
cli=$build/src/cli/texttoxml

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"

# row CASE OURS PEER PEER_NAME MB TARGET [LIMIT_MB]: one line of the table.
# MB is the amount of input the MB/s column counts.
row() {
  local case=$1 ours=$2 peer=$3 peer_name=$4 mb=$5 target=$6 limit=${7:-}
  awk -v c="$case" -v pn="$peer_name" -v mb="$mb" -v t="$target" -v lim="$limit" \
    -v ow="$(median "$ours" 1)" -v oc="$(median "$ours" 2)" -v op="$(median "$ours" 3)" \
    -v pw="$(median "$peer" 1)" -v pc="$(median "$peer" 2)" 'BEGIN {
      peak = sprintf("%.1f", op / 1024); if (lim != "") peak = peak " (limit " lim ")"
      printf "| %s | %.3f | %.3f | %.1f / %.1f | %s | %s | %.3f | %.3f | %.2f | %.2f | %s |\n",
        c, ow, oc, mb / ow, mb / oc, peak, pn, pw, pc, oc / pc, ow / pw, t }'
}

# A task text whose only variant with a picture names FILE.
picture_task() { printf 'Picture?\r\n+[%s]\r\n- none\r\n' "$1" >"$2"; }

# Inputs.
for n in 1000 10000 100000; do
  "$build/bench/make_tasks" "$n" >"$work/tasks$n.txt"
  "$build/bench/make_tasks" "$n" --gift >"$work/tasks$n.gift"
done
"$build/bench/make_bitmap" "$work/photo.bmp"
"$magick" "$work/photo.bmp" -resize '2000x2000!' -colors 256 "$work/photo.gif"
"$magick" "$work/photo.bmp" -quality 96 "$work/photo.jpg"
for kind in bmp gif jpg; do picture_task "photo.$kind" "$work/$kind.txt"; done
gift_parse='const fs = require("fs");
console.log(require(process.argv[1]).parse(fs.readFileSync(process.argv[2], "utf8")).length);'

for ((round = 1; round <= runs; round++)); do
  for n in 1000 10000 100000; do
    measure "text$n" "$cli" convert "$work/tasks$n.txt" --date "$date" --quiet
    measure "gift$n" node -e "$gift_parse" "$peers/node_modules/gift-pegjs" "$work/tasks$n.gift"
  done
  measure bmp "$cli" convert "$work/bmp.txt" --date "$date" --quiet
  measure magick "$magick" "$work/photo.bmp" "$work/magick.png"
  measure floor "$build/bench/deflate_floor" "$work/photo.bmp" "$work/floor.zlib"
  measure gif "$cli" convert "$work/gif.txt" --date "$date" --quiet
  measure gifsicle gifsicle --no-optimize "$work/photo.gif" -o "$work/gifsicle.gif"
  measure jpg "$cli" convert "$work/jpg.txt" --date "$date" --quiet
  measure base64 base64 "$work/photo.jpg"
done

echo "Medians of $runs runs; CPU = user + sys of the whole process; ratio = ours / theirs."
echo
echo "| case | wall s | CPU s | MB/s (wall / CPU) | peak MB | against | their wall s | their CPU s | ratio CPU | ratio wall | target |"
echo "|---|---|---|---|---|---|---|---|---|---|---|"
for n in 1000 10000 100000; do
  limit=$(awk -v o="$(size_mb "$work/tasks$n.xml")" 'BEGIN {printf "%.1f", 3 * o + 30}')
  row "text to XML, $n tasks ($(size_mb "$work/tasks$n.txt") MB)" "text$n" "gift$n" \
    "gift-pegjs (node)" "$(size_mb "$work/tasks$n.txt")" ">= 50 MB/s, ratio <= 0.10" "$limit"
done
bmp_mb=$(size_mb "$work/photo.bmp")
row "BMP to PNG 4000x3000 ($bmp_mb MB)" bmp floor "zlib level 7 floor" "$bmp_mb" "<= 1.15"
row "BMP to PNG 4000x3000 ($bmp_mb MB)" bmp magick "ImageMagick convert" "$bmp_mb" "< 1.00"
gif_mb=$(size_mb "$work/photo.gif")
row "GIF 2000x2000 8-bit ($gif_mb MB)" gif gifsicle "gifsicle --no-optimize" "$gif_mb" "<= 1.00"
jpg_mb=$(size_mb "$work/photo.jpg")
row "JPEG ($jpg_mb MB)" jpg base64 "coreutils base64" "$jpg_mb" "<= 3.00"
