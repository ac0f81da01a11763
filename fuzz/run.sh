#!/usr/bin/env bash
# Runs every harness in turn, one process at a time, for SECONDS seconds
# each: run.sh <build-dir> <seconds> [harness...]. The seed corpus is copied
# into <build-dir>/fuzz-runs/<name>/corpus, which grows as the fuzzer finds
# new paths; crashes, leaks and slow inputs land next to it. Stops at the
# first failing harness.
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  harnesses=(conversion png gif bitmap kinds richtext)
fi

for name in "${harnesses[@]}"; do
  run="$build/fuzz-runs/$name"
  mkdir -p "$run/corpus"
  cp -n "$here/corpus/$name"/* "$run/corpus/" 2>/dev/null || true
  chmod -R u+w "$run/corpus"
  dict=()
  if [ -f "$here/dict/$name.dict" ]; then dict=(-dict="$here/dict/$name.dict"); fi
  echo "fuzz: $name for ${seconds}s"
  (cd "$run" && "$build/fuzz/fuzz_$name" -max_total_time="$seconds" \
     -rss_limit_mb=2048 -timeout=2 -jobs=1 -workers=1 -print_final_stats=1 \
     "${dict[@]}" corpus >"$run/log.txt" 2>&1) || {
    echo "fuzz: $name failed, see $run/log.txt and fuzz-0.log there"
    exit 1
  }
  grep -h "stat::number_of_executed_units" "$run"/fuzz-*.log "$run/log.txt" 2>/dev/null | tail -1 || true
done
