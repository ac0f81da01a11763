#!/usr/bin/env bash
# A Word document against the task text it holds: bench/make_docx.py writes a
# document of TASKS tasks (default 2,000) with PICTURES pictures (default
# 300, PNG, JPEG and BMP) inline, its task text and the same picture files;
# each round converts the document, then the text with its pictures, one
# after the other. Figures are medians of RUNS rounds (default 5): wall
# time, CPU time (user + sys) and peak resident memory. The targets: the
# document in at most 1.3 times the text's time, in at most three times the
# document's unpacked size plus 30 MB.
#
#   bench/document.sh [BUILD_DIR]     (default build-release; `make bench-document`)
#
# Needs python3 with python3-docx and python3-pil (scripts/install-deps.sh
# --testdata), coreutils, unzip and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
runs=${RUNS:-5}
tasks=${TASKS:-2000}
pictures=${PICTURES:-300}
date=2013-07-24T15:04:05

for tool in /usr/bin/python3 unzip /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "document.sh: $tool is missing" >&2; exit 1; }
done

# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"
release_build "$build" texttoxml
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$build/src/cli/texttoxml

mkdir "$work/files"
/usr/bin/python3 "$root/bench/make_docx.py" "$tasks" "$pictures" "$work/files/tasks.docx" >/dev/null
unpacked=$(unzip -l "$work/files/tasks.docx" | awk 'END {printf "%.2f", $1 / 1e6}')

for ((round = 1; round <= runs; round++)); do
  measure document "$cli" convert "$work/files/tasks.docx" -o "$work/document.xml" --date "$date"
  measure text "$cli" convert "$work/files/tasks.txt" -o "$work/text.xml" --date "$date"
done

# row LABEL TITLE: one input's medians against the text's.
row() {
  awk -v t="$2" -v limit="$(awk -v u="$unpacked" 'BEGIN {printf "%.1f", 3 * u + 30}')" \
    -v w="$(median "$1" 1)" -v c="$(median "$1" 2)" -v p="$(median "$1" 3)" \
    -v tw="$(median text 1)" -v tc="$(median text 2)" 'BEGIN {
      printf "| %s | %.3f | %.3f | %.1f | %.2f | %.2f | %s |\n",
        t, w, c, p / 1024, w / tw, c / tc, limit }'
}

echo "$tasks tasks, $pictures pictures; the document $(size_mb "$work/files/tasks.docx") MB," \
  "$unpacked MB unpacked; medians of $runs rounds; ratios against the text."
echo
echo "| input | wall s | CPU s | peak MB | ratio wall | ratio CPU | memory limit MB |"
echo "|---|---|---|---|---|---|---|"
row document "the document (\`convert tasks.docx\`)"
row text "its text with the picture files (\`convert tasks.txt\`)"
