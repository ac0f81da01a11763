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
# BASELINE=/path/to/an/older/texttoxml adds that binary to every round, so
# that a change is measured against the converter it replaces side by side.
# The 2,000,000-task case (peak memory above all) runs LARGE_RUNS times
# (default 1).
#
# Needs node and npm (the peer gift-pegjs is installed into bench/peers/ on
# first use), ImageMagick, gifsicle, coreutils and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
runs=${RUNS:-5}
large_runs=${LARGE_RUNS:-1}
baseline=${BASELINE:-}
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

# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"
release_build "$build" texttoxml make_tasks make_bitmap deflate_floor
cli=$build/src/cli/texttoxml

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# row CASE OURS PEER PEER_NAME MB TARGET [LIMIT_MB]: one line of the table.
# MB is the amount of input the MB/s column counts.
row() {
  local case=$1 ours=$2 peer=$3 peer_name=$4 mb=$5 target=$6 limit=${7:-}
  awk -v c="$case" -v pn="$peer_name" -v mb="$mb" -v t="$target" -v lim="$limit" \
    -v ow="$(median "$ours" 1)" -v oc="$(median "$ours" 2)" -v op="$(median "$ours" 3)" \
    -v pw="$(median "$peer" 1)" -v pc="$(median "$peer" 2)" -v pp="$(median "$peer" 3)" 'BEGIN {
      peak = sprintf("%.1f", op / 1024); if (lim != "") peak = peak " (limit " lim ")"
      printf "| %s | %.3f | %.3f | %.1f / %.1f | %s | %s | %.3f | %.3f | %.1f | %.2f | %.2f | %s |\n",
        c, ow, oc, mb / ow, mb / oc, peak, pn, pw, pc, pp / 1024, oc / pc, ow / pw, t }'
}

# A task text whose only variant with a picture names FILE.
picture_task() { printf 'Picture?\r\n+[%s]\r\n- none\r\n' "$1" >"$2"; }

# convert LABEL INPUT: our converter, and the baseline's under base-LABEL.
convert() {
  measure "$1" "$cli" convert "$2" --date "$date" --quiet
  if [ -n "$baseline" ]; then measure "base-$1" "$baseline" convert "$2" --date "$date" --quiet; fi
}

# The floor of a conversion: reading its input and writing its output.
copy_floor='cat "$1" >/dev/null; cat "$2" >"$3"'

# Inputs, and each text's output for the copy floor.
for n in 1000 10000 100000; do
  "$build/bench/make_tasks" "$n" >"$work/tasks$n.txt"
  "$build/bench/make_tasks" "$n" --gift >"$work/tasks$n.gift"
  "$cli" convert "$work/tasks$n.txt" --date "$date" --quiet
done
"$build/bench/make_tasks" 2000000 >"$work/tasks2000000.txt"
"$build/bench/make_bitmap" "$work/photo.bmp"
"$magick" "$work/photo.bmp" -resize '2000x2000!' -colors 256 "$work/photo.gif"
"$magick" "$work/photo.bmp" -quality 96 "$work/photo.jpg"
for kind in bmp gif jpg; do picture_task "photo.$kind" "$work/$kind.txt"; done
gift_parse='const fs = require("fs");
console.log(require(process.argv[1]).parse(fs.readFileSync(process.argv[2], "utf8")).length);'

for ((round = 1; round <= runs; round++)); do
  for n in 1000 10000 100000; do
    convert "text$n" "$work/tasks$n.txt"
    measure "gift$n" node -e "$gift_parse" "$peers/node_modules/gift-pegjs" "$work/tasks$n.gift"
    measure "cat$n" sh -c "$copy_floor" sh "$work/tasks$n.txt" "$work/tasks$n.xml" "$work/copy.xml"
  done
  convert bmp "$work/bmp.txt"
  measure magick "$magick" "$work/photo.bmp" "$work/magick.png"
  measure floor "$build/bench/deflate_floor" "$work/photo.bmp" "$work/floor.zlib"
  convert gif "$work/gif.txt"
  measure gifsicle gifsicle --no-optimize "$work/photo.gif" -o "$work/gifsicle.gif"
  convert jpg "$work/jpg.txt"
  measure base64 base64 "$work/photo.jpg"
done
for ((round = 1; round <= large_runs; round++)); do
  convert text2000000 "$work/tasks2000000.txt"
done

echo "Medians of $runs runs; CPU = user + sys of the whole process; ratio = ours / theirs."
echo
echo "| case | wall s | CPU s | MB/s (wall / CPU) | peak MB | against | their wall s | their CPU s | their peak MB | ratio CPU | ratio wall | target |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
# baseline_row CASE LABEL MB: ours against the converter we replace.
baseline_row() {
  if [ -n "$baseline" ]; then row "$1" "$2" "base-$2" "before this change" "$3" "${4:-}"; fi
}

for n in 1000 10000 100000; do
  txt=$work/tasks$n.txt mb=$(size_mb "$work/tasks$n.txt")
  case="text to XML, $n tasks ($mb MB)"
  row "$case" "text$n" "gift$n" "gift-pegjs (node)" "$mb" "ratio <= 0.02 (50 times faster)" "$(limit_of "$txt")"
  row "$case" "text$n" "cat$n" "cat input >/dev/null; cat output >copy" "$mb" "ratio <= 5"
  baseline_row "$case" "text$n" "$mb"
done
mb=$(size_mb "$work/tasks2000000.txt")
row "text to XML, 2000000 tasks ($mb MB)" text2000000 text2000000 "itself (memory only)" "$mb" \
  "peak <= limit" "$(limit_of "$work/tasks2000000.txt")"
baseline_row "text to XML, 2000000 tasks ($mb MB)" text2000000 "$mb"
bmp_mb=$(size_mb "$work/photo.bmp")
row "BMP to PNG 4000x3000 ($bmp_mb MB)" bmp floor "zlib level 7 floor" "$bmp_mb" "<= 1.15"
row "BMP to PNG 4000x3000 ($bmp_mb MB)" bmp magick "ImageMagick convert" "$bmp_mb" "< 1.00"
baseline_row "BMP to PNG 4000x3000 ($bmp_mb MB)" bmp "$bmp_mb" "<= 1.00"
gif_mb=$(size_mb "$work/photo.gif")
row "GIF 2000x2000 8-bit ($gif_mb MB)" gif gifsicle "gifsicle --no-optimize" "$gif_mb" "<= 1.00"
baseline_row "GIF 2000x2000 8-bit ($gif_mb MB)" gif "$gif_mb" "<= 1.00"
jpg_mb=$(size_mb "$work/photo.jpg")
row "JPEG ($jpg_mb MB)" jpg base64 "coreutils base64" "$jpg_mb" "<= 2.00"
baseline_row "JPEG ($jpg_mb MB)" jpg "$jpg_mb"
