#!/usr/bin/env bash
# The four commands a user runs on one text of 100,000 tasks, side by side:
# `convert` as it comes (with its findings), `convert --quiet`, `check` and
# `preview`. Each round runs every command once, one after the other; each
# figure is the median of RUNS rounds (default 5). Times are wall time and
# CPU time (user + sys); peak resident memory comes from /usr/bin/time -v.
# Ratios are against `convert --quiet`, the figure the other benchmarks
# give; the memory limit of a command is three times the text's size plus
# 30 MB.
#
#   bench/commands.sh [BUILD_DIR]     (default build-release; `make bench-commands`)
#
# BASELINE=/path/to/an/older/texttoxml adds that binary's four commands to
# every round, so that a change is measured against the one it replaces.
# TASKS=N sets the number of tasks (default 100000).
#
# Needs python3, coreutils and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
runs=${RUNS:-5}
tasks=${TASKS:-100000}
baseline=${BASELINE:-}
date=2013-07-24T15:04:05

for tool in python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "commands.sh: $tool is missing" >&2; exit 1; }
done

# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"
release_build "$build" texttoxml make_tasks
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

text=$work/tasks.txt
"$build/bench/make_tasks" "$tasks" >"$text"

# commands PREFIX CLI: one round of the four commands of CLI, labelled
# PREFIX followed by the command's name.
commands() {
  local prefix=$1 cli=$2
  measure "${prefix}convert" "$cli" convert "$text" -o "$work/${prefix}default.xml" --date "$date"
  measure "${prefix}quiet" "$cli" convert "$text" -o "$work/${prefix}quiet.xml" --date "$date" --quiet
  measure "${prefix}check" "$cli" check "$text"
  measure "${prefix}preview" "$cli" preview "$text" -o "$work/${prefix}preview.html"
}

for ((round = 1; round <= runs; round++)); do
  commands "" "$build/src/cli/texttoxml"
  if [ -n "$baseline" ]; then commands base- "$baseline"; fi
done
# The findings go to standard error; both conversions write the same document.
cmp -s "$work/default.xml" "$work/quiet.xml" ||
  { echo "commands.sh: convert and convert --quiet wrote different documents" >&2; exit 1; }

limit=$(limit_of "$text")
# row PREFIX COMMAND TITLE TARGET: one command's medians against
# convert --quiet of the same binary.
row() {
  local label=$1$2 quiet=$1quiet
  awk -v t="$3" -v target="$4" -v lim="$limit" \
    -v w="$(median "$label" 1)" -v c="$(median "$label" 2)" -v p="$(median "$label" 3)" \
    -v qw="$(median "$quiet" 1)" -v qc="$(median "$quiet" 2)" 'BEGIN {
      mb = p / 1024
      printf "| %s | %.3f | %.3f | %.1f | %.2f | %.2f | %s | %s |\n",
        t, w, c, mb, w / qw, c / qc, mb <= lim ? "yes" : "no", target }'
}

# table PREFIX NAME: the four rows of one binary.
table() {
  row "$1" convert "$2 \`convert\`" "ratio <= 1.15"
  row "$1" quiet "$2 \`convert --quiet\`" "the reference"
  row "$1" check "$2 \`check\`" "ratio <= 1.20"
  row "$1" preview "$2 \`preview -o FILE\`" ""
}

echo "$tasks tasks ($(size_mb "$text") MB); medians of $runs rounds; CPU = user + sys of the whole"
echo "process; ratios against \`convert --quiet\` of the same binary; memory limit = 3 × text + 30 MB = $limit MB."
echo
echo "| command | wall s | CPU s | peak MB | ratio wall | ratio CPU | peak <= $limit MB | target |"
echo "|---|---|---|---|---|---|---|---|"
table "" "this build:"
if [ -n "$baseline" ]; then table base- "baseline:"; fi
