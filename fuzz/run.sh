#!/usr/bin/env bash
# Runs every harness in turn, one process at a time, for SECONDS seconds
# each: run.sh <build-dir> <seconds> [harness...]. With FUZZ_MIN_RUNS=N a
# harness goes on past SECONDS until it has executed N inputs, so that a
# slow machine still gives every harness both its time and its executions.
# The seed corpus is copied into <build-dir>/fuzz-runs/<name>/corpus, which
# grows as the fuzzer finds new paths; crashes, leaks and slow inputs land
# next to it. Stops at the first failing harness. Nothing else writes to the
# corpus, so the fuzzer does not reread it every second (-reload=0), which
# is costly once the corpus holds a thousand files or more.
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
min_runs=${FUZZ_MIN_RUNS:-0}
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  harnesses=(conversion png gif bitmap kinds richtext docx)
fi

# The number of inputs the running fuzzer has executed, from its log.
executions() {
  grep -ao '^#[0-9]*' "$1" 2>/dev/null | tail -1 | tr -d '#' || true
}

# Interrupts the fuzzer's process group once it has run SECONDS seconds and
# MIN_RUNS inputs. libFuzzer prints its final statistics when interrupted.
stop_when_done() {
  local group=$1 log=$2 started=$SECONDS
  while kill -0 "$group" 2>/dev/null; do
    sleep 5
    local count
    count=$(executions "$log")
    if [ $((SECONDS - started)) -ge "$seconds" ] && [ "${count:-0}" -ge "$min_runs" ]; then
      kill -INT -- "-$group" 2>/dev/null || true
      return
    fi
  done
}

for name in "${harnesses[@]}"; do
  run="$build/fuzz-runs/$name"
  mkdir -p "$run/corpus"
  cp -n "$here/corpus/$name"/* "$run/corpus/" 2>/dev/null || true
  chmod -R u+w "$run/corpus"
  rm -f "$run/fuzz-0.log"
  dict=()
  if [ -f "$here/dict/$name.dict" ]; then dict=(-dict="$here/dict/$name.dict"); fi
  limit=$seconds
  if [ "$min_runs" -gt 0 ]; then limit=$((seconds * 20)); fi
  echo "fuzz: $name for ${seconds}s and at least $min_runs runs"
  status=0
  (cd "$run" && exec setsid "$build/fuzz/fuzz_$name" -max_total_time="$limit" \
     -rss_limit_mb=2048 -timeout=2 -jobs=1 -workers=1 -print_final_stats=1 -reload=0 \
     "${dict[@]}" corpus >"$run/log.txt" 2>&1) &
  fuzzer=$!
  if [ "$min_runs" -gt 0 ]; then stop_when_done "$fuzzer" "$run/fuzz-0.log" & fi
  wait "$fuzzer" || status=$?
  wait
  # The interrupted worker may still be writing its final statistics.
  while kill -0 -- "-$fuzzer" 2>/dev/null; do sleep 1; done
  # An interrupt from the watcher ends a clean run; anything else reported
  # by the fuzzer is a finding.
  if [ "$status" -ne 0 ] && ! { grep -q "run interrupted" "$run/fuzz-0.log" &&
                                 ! grep -qE "ERROR:|SUMMARY:|runtime error" "$run/fuzz-0.log"; }; then
    echo "fuzz: $name failed, see $run/log.txt and fuzz-0.log there"
    exit 1
  fi
  grep -h "stat::number_of_executed_units" "$run/fuzz-0.log" | tail -1 || true
done
