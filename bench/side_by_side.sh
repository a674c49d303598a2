# shellcheck shell=bash
# Sourced by the compare_*.sh scripts: runs one of our programs beside another tool doing the same
# conversion on the same file, and prints their wall time and peak memory with our ratios to theirs
# and the bars: wall time <= 1.0x theirs, peak memory <= 0.25x theirs. Given a floor too (the
# picture's library decoding the same file to nothing), times it in the same hyperfine run and
# prints our wall time beside it, with the bar <= 1.2x the floor.
#
#   their_run=(TOOL ARG...) our_run=(PROGRAM ARG...) [floor_run=(PROGRAM ARG...)]
#   outputs=(FILE...)   the files the runs write
#   side_by_side WORK THEIR_NAME OUR_NAME [FLOOR_NAME PICTURE_KIND]
#
# Each timed run writes a new file: the outputs of the run before are removed before it, untimed.
# Replacing them would time the file system's freeing of the last run's output besides the
# conversion: on a file system mounted with `discard`, as here, freeing a 70 MB file waits some
# 15 ms for the disk to discard its blocks.
#
# WORK is a folder for the figures' files. Wall time: the median of hyperfine's $runs runs (after
# 2 warm-up runs). Peak memory: the median over $memory_runs runs of the maximum resident set size
# (/usr/bin/time -f %M). Needs python3, hyperfine and GNU time. When $LINTAVO_BARS names a file,
# the verdict on the floor's bar is added to it as one line (bench/run.sh sums them up).
runs=${runs:-10}
memory_runs=${memory_runs:-5}

# Stops the script, naming what is missing, unless every TOOL can be run.
require_tools() {
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$(basename "$0"): $tool not found" >&2
      exit 1
    fi
  done
}

# Median peak resident set size in KB of a command run $memory_runs times.
median_peak_kb() {
  local work=$1
  shift
  for ((i = 0; i < memory_runs; i++)); do
    /usr/bin/time -f %M -o "$work/peak.txt" "$@"
    cat "$work/peak.txt"
  done | sort -n | sed -n "$(((memory_runs + 1) / 2))p"
}

side_by_side() {
  local work=$1 their_name=$2 our_name=$3 floor_name=${4:-} picture_kind=${5:-}
  local floor_command=()
  if [[ -n $floor_name ]]; then
    # shellcheck disable=SC2154  # floor_run is the caller's
    floor_command=(-n "$floor_name" "${floor_run[*]@Q}")
  fi
  echo "Timing with hyperfine ($runs runs each) ..."
  # shellcheck disable=SC2154  # their_run and our_run are the caller's
  # shellcheck disable=SC2154  # outputs is the caller's
  hyperfine --warmup 2 --runs "$runs" --style basic --export-json "$work/times.json" \
    --prepare "rm -f ${outputs[*]@Q}" -n "$their_name" "${their_run[*]@Q}" -n "$our_name" "${our_run[*]@Q}" "${floor_command[@]}"

  echo "Measuring peak memory ($memory_runs runs each) ..."
  local their_kb our_kb
  their_kb=$(median_peak_kb "$work" "${their_run[@]}")
  our_kb=$(median_peak_kb "$work" "${our_run[@]}")

  python3 - "$work/times.json" "$their_name" "$our_name" "$their_kb" "$our_kb" "$floor_name" \
    "$picture_kind" "${LINTAVO_BARS:-}" <<'PYTHON'
import json
import sys

times, their_name, our_name = sys.argv[1:4]
floor_name, picture_kind, bars = sys.argv[6:9]
results = {r["command"]: r for r in json.load(open(times))["results"]}
their_s, our_s = results[their_name]["median"], results[our_name]["median"]
their_kb, our_kb = int(sys.argv[4]), int(sys.argv[5])
time_ratio, memory_ratio = our_s / their_s, our_kb / their_kb

def verdict(ratio, bar):
    return "meets the bar" if ratio <= bar else "MISSES the bar"

print()
print(f"{'':24}{their_name:>12}{our_name:>17}{'ratio':>9}  bar")
print(f"{'wall time, median (ms)':24}{their_s * 1000:12.1f}{our_s * 1000:17.1f}"
      f"{time_ratio:8.2f}x  <= 1.00x: {verdict(time_ratio, 1.0)}")
print(f"{'peak memory, median (MB)':24}{their_kb / 1024:12.1f}{our_kb / 1024:17.1f}"
      f"{memory_ratio:8.2f}x  <= 0.25x: {verdict(memory_ratio, 0.25)}")
if floor_name:
    floor_s = results[floor_name]["median"]
    floor_ratio = our_s / floor_s
    print(f"{'':24}{floor_name:>12}{our_name:>17}{'ratio':>9}  bar")
    print(f"{'wall time, median (ms)':24}{floor_s * 1000:12.1f}{our_s * 1000:17.1f}"
          f"{floor_ratio:8.2f}x  <= 1.20x: {verdict(floor_ratio, 1.2)}")
    if bars:
        with open(bars, "a") as out:
            print(f"{picture_kind} to BMP {our_s * 1000:.1f} ms beside the decoder's floor "
                  f"{floor_s * 1000:.1f} ms: {floor_ratio:.2f}x, bar <= 1.20x: "
                  f"{verdict(floor_ratio, 1.2)}", file=out)
PYTHON
}
