# Whole-process measurement for the comparison scripts; sourced, with $root
# set to the project and $work to the scripts' scratch folder.

# release_build BUILD_DIR TARGET...: configures a Release build of the
# command line with the benchmarks (no window, no tests) and builds TARGETs.
release_build() {
  cmake -S "$root" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEXTTOXML_GUI=OFF \
    -DTEXTTOXML_TESTS=OFF -DTEXTTOXML_BENCH=ON >/dev/null
  cmake --build "$1" -j 2 --target "${@:2}" >/dev/null
}

# measure LABEL COMMAND...: runs the command once (standard output discarded,
# standard error appended to $work/LABEL.err) and appends
# "wall-seconds cpu-seconds peak-KiB" to $work/LABEL.
measure() {
  python3 - "$work/$1" "${@:2}" <<'PY'
import resource, subprocess, sys, time
out, command = sys.argv[1], sys.argv[2:]
before = resource.getrusage(resource.RUSAGE_CHILDREN)
start = time.perf_counter()
with open(out + ".err", "a") as errors:
    done = subprocess.run(["/usr/bin/time", "-v", "-o", out + ".time"] + command,
                          stdout=subprocess.DEVNULL, stderr=errors)
wall = time.perf_counter() - start
if done.returncode != 0:
    sys.stderr.write(open(out + ".err").read())
    sys.exit(f"measure: {command[0]} failed with status {done.returncode}")
after = resource.getrusage(resource.RUSAGE_CHILDREN)
cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
peak = next(int(line.split(":")[1]) for line in open(out + ".time")
            if "Maximum resident set size" in line)
with open(out, "a") as file:
    file.write(f"{wall:.6f} {cpu:.6f} {peak}\n")
PY
}

# median LABEL COLUMN: the median of one column of a label's runs.
median() { awk -v c="$2" '{print $c}' "$work/$1" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

size_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN {printf "%.2f", b / 1e6}'; }

# The memory limit of a text: three times its size plus 30 MB.
limit_of() { awk -v i="$(size_mb "$1")" 'BEGIN {printf "%.1f", 3 * i + 30}'; }
