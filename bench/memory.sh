#!/usr/bin/env bash
# Peak memory against the text's size: the four commands a user runs
# (`convert`, `convert --quiet`, `check`, `preview`) on plain tasks of three
# sizes (about 1, 10 and 100 MB) and on the two texts of one task of a
# million lines (a million answer lines; a million question lines). Prints a
# Markdown table, one row a text, in MB (10^6 bytes) of peak resident memory
# as /usr/bin/time -v gives it, and the limit: three times the text plus
# 30 MB. A figure above its limit is marked with "!".
#
#   bench/memory.sh [BUILD_DIR]     (default build-release; `make bench-memory`)
#
# Needs python3, coreutils and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-release}")
date=2013-07-24T15:04:05

for tool in python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "memory.sh: $tool is missing" >&2; exit 1; }
done

# shellcheck source=bench/measure.sh
source "$root/bench/measure.sh"
release_build "$build" texttoxml make_tasks
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$build/src/cli/texttoxml

# million_lines FILE LINE: one task "Вопрос?" of a million lines LINE (with
# "%d" for the line's number) and the answer "+ да", in UTF-8.
million_lines() {
  python3 - "$1" "$2" <<'PY'
import sys
path, line = sys.argv[1], sys.argv[2]
with open(path, "w", encoding="utf-8", newline="\n") as out:
    out.write("Вопрос?\n")
    for number in range(1_000_000):
        out.write(line % number + "\n")
    out.write("+ да\n")
PY
}

# row KEY LABEL TEXT: the text's size, each command's peak and the limit;
# KEY names the measurements' files.
row() {
  local key=$1 label=$2 text=$3 bytes limit line name
  bytes=$(stat -c %s "$text")
  limit=$(awk -v b="$bytes" 'BEGIN {printf "%.0f", (3 * b + 30e6) / 1e6}')
  line="| $label | $(size_mb "$text") |"
  for name in convert quiet check preview; do
    case $name in
      convert) measure "$key-$name" "$cli" convert "$text" -o "$work/out.xml" --date "$date" ;;
      quiet) measure "$key-$name" "$cli" convert --quiet "$text" -o "$work/out.xml" --date "$date" ;;
      # `check` ends with status 1 when it warns, as on a task of a million answers.
      check) measure "$key-$name" sh -c '"$0" check "$1" || [ $? -eq 1 ]' "$cli" "$text" ;;
      preview) measure "$key-$name" "$cli" preview "$text" -o "$work/out.html" ;;
    esac
    line+=$(awk -v k="$(median "$key-$name" 3)" -v l="$limit" \
      'BEGIN {mb = k * 1024 / 1e6; printf " %.0f%s |", mb, (mb > l ? " !" : "")}')
  done
  echo "$line $limit |"
}

echo "| text | MB | convert | convert --quiet | check | preview | limit |"
echo "|---|--:|--:|--:|--:|--:|--:|"
for tasks in 10000 100000 1000000; do
  "$build/bench/make_tasks" "$tasks" >"$work/tasks.txt"
  row "tasks$tasks" "$tasks tasks (\`bench/make_tasks $tasks\`)" "$work/tasks.txt"
done
million_lines "$work/answers.txt" "- ответ %d"
row answers "one task of 1,000,000 answer lines" "$work/answers.txt"
million_lines "$work/questions.txt" "вопрос строка номер %d"
row questions "one task of 1,000,000 question lines" "$work/questions.txt"
