#!/usr/bin/env bash
# The window against the command line on one large task text: the program's
# real window, on Qt's offscreen platform, opens the text and saves it
# (bench/window_open_save), and the CLI converts the same file. In each round
# the two run one after the other, so the ratio is measured side by side; the
# figures are medians of RUNS rounds (default 5). The window's XML must be
# byte for byte the CLI's, given the window's SaveDate.
#
#   bench/window_compare.sh [BUILD_DIR]   (default build-window; TASKS=N tasks, default 200000)
#
# Needs Qt 6 (qt6-base-dev), python3 and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-window}")
runs=${RUNS:-5}
tasks=${TASKS:-200000}

for tool in python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "window_compare.sh: $tool is missing" >&2; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEXTTOXML_GUI=ON \
  -DTEXTTOXML_TESTS=OFF -DTEXTTOXML_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target texttoxml make_tasks window_open_save >/dev/null
cli=$build/src/cli/texttoxml
window=$build/bench/window_open_save

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"

"$build/bench/make_tasks" "$tasks" >"$work/tasks.txt"
# The window's own home, so that nothing of the user's desktop is read.
mkdir -p "$work/home"
run_window=(env QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_CONFIG_HOME="$work/home/config"
  XDG_RUNTIME_DIR="$work/home" "$window" "$work/tasks.txt" "$work/window.xml")
for ((round = 1; round <= runs; round++)); do
  measure window "${run_window[@]}"
  measure cli "$cli" convert "$work/tasks.txt" -o "$work/cli.xml" --quiet
done

saved=$(sed -n 's|.*<SaveDate>\([^<Z]*\)Z*</SaveDate>.*|\1|p' "$work/window.xml" | head -n 1)
"$cli" convert "$work/tasks.txt" -o "$work/cli.xml" --quiet --date "$saved"
cmp -s "$work/window.xml" "$work/cli.xml" ||
  { echo "window_compare.sh: the window's XML differs from the CLI's" >&2; exit 1; }

# The window's own split, from its "open S s, save S s" lines.
split_median() { awk -v c="$1" '/^open / {gsub(",", ""); print $c}' "$work/window.err" | sort -g |
  awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

echo "$tasks tasks ($(size_mb "$work/tasks.txt") MB); medians of $runs rounds; CPU = user + sys of the whole process;"
echo "the window's XML is byte for byte the CLI's. Window commands (wall): open $(split_median 2) s, save $(split_median 5) s."
echo
echo "| | wall s | CPU s | peak MB |"
echo "|---|---|---|---|"
for label in window cli; do
  awk -v l="$label" -v w="$(median "$label" 1)" -v c="$(median "$label" 2)" -v p="$(median "$label" 3)" \
    'BEGIN {printf "| %s | %.3f | %.3f | %.1f |\n", l == "window" ? "window, open + save" : "CLI convert", w, c, p / 1024}'
done
awk -v ow="$(median window 1)" -v oc="$(median window 2)" -v cw="$(median cli 1)" -v cc="$(median cli 2)" \
  'BEGIN {printf "| ratio window / CLI (target <= 1.50) | %.2f | %.2f | |\n", ow / cw, oc / cc}'
