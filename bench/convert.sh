#!/usr/bin/env bash
# Task text to XML, end to end through the CLI, for 1k, 10k and 100k generated
# tasks: throughput in MB of task text per second and peak resident memory,
# each the median of five runs. The baseline, run in the same script over the
# same files, is a plain copy of the input (reading and writing the bytes).
set -euo pipefail
build=${1:-build-release}
cd "$(dirname "$0")/.."
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEXTTOXML_GUI=OFF -DTEXTTOXML_TESTS=OFF >/dev/null
cmake --build "$build" --target texttoxml make_tasks >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Runs a command five times; prints "median-seconds median-peak-KiB".
measure() {
  local times=() peaks=() start end
  for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null
    end=$(date +%s%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.6f", (b - a) / 1e9}')")
    peaks+=("$(cat "$work/time")")
  done
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | median)" "$(printf '%s\n' "${peaks[@]}" | median)"
}

printf '%-8s %10s %10s %10s %12s %12s %10s\n' tasks "input MB" "output MB" "MB/s" "peak MB" "limit MB" "vs copy"
for n in 1000 10000 100000; do
  "$build/bench/make_tasks" "$n" >"$work/tasks.txt"
  read -r t peak < <(measure "$build/src/cli/texttoxml" convert "$work/tasks.txt" --date 2013-07-24T15:04:05)
  read -r tc _ < <(measure cp "$work/tasks.txt" "$work/copy.txt")
  in_mb=$(awk -v b="$(stat -c %s "$work/tasks.txt")" 'BEGIN {printf "%.2f", b / 1e6}')
  out_mb=$(awk -v b="$(stat -c %s "$work/tasks.xml")" 'BEGIN {printf "%.2f", b / 1e6}')
  awk -v n="$n" -v i="$in_mb" -v o="$out_mb" -v t="$t" -v tc="$tc" -v p="$peak" 'BEGIN {
    tt = t; cc = tc
    printf "%-8d %10.2f %10.2f %10.1f %12.1f %12.1f %9.1fx\n", n, i, o, i / tt, p / 1024, 3 * o + 30, tt / cc }'
done
