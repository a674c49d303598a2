#!/usr/bin/env bash
# Times Lintavo's JPEG-to-BMP conversion against djpeg from libjpeg-turbo and compares their peak
# memory, on one 6000x4000 baseline JPEG.
#
# Usage: bench/compare_jpeg.sh [BUILD_FOLDER]
#   BUILD_FOLDER  a build of this repository holding bench/convert_jpeg (default: build). The
#                 script builds nothing; use a Release build for figures, e.g.
#                   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
#                   cmake --build build-rel --target convert_jpeg
#                   bench/compare_jpeg.sh build-rel
#
# Needs: python3, cjpeg and djpeg (libjpeg-turbo-progs), hyperfine, GNU time (/usr/bin/time).
#
# The test picture is made once and kept in BUILD_FOLDER/bench-jpeg/: a synthetic 6000x4000
# picture (smooth shapes with fine noise, so it compresses like a photograph rather than like a
# flat colour), stored by `cjpeg -baseline -quality 90`. Both tools write their BMP files beside it,
# on the same file system.
#
# Figures printed, for each tool:
#   wall time    median of hyperfine's runs (2 warm-up runs first)
#   peak memory  median of the maximum resident set size over several runs (/usr/bin/time -f %M)
# and our figure divided by djpeg's. Bars: wall time <= 1.0x djpeg's, peak memory <= 0.25x.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$repo/$build
converter=$build/bench/convert_jpeg
runs=10
memory_runs=5

for tool in python3 cjpeg djpeg hyperfine /usr/bin/time "$converter"; do
  if ! command -v "$tool" >/dev/null; then
    echo "compare_jpeg.sh: $tool not found" >&2
    exit 1
  fi
done

work=$build/bench-jpeg
mkdir -p "$work"
picture=$work/in.jpg
if [[ ! -s $picture ]]; then
  echo "Making the 6000x4000 test picture in $work ..."
  python3 - "$work/in.ppm" <<'PYTHON'
import math
import random
import sys

width, height = 6000, 4000
rng = random.Random(2003)
# Per column: three smooth waves of different lengths, one per colour, at most 239 so that
# noise of at most 16 can be added to every byte at once without carrying into the next.
base = bytearray()
for x in range(width):
    for channel, length in enumerate((251.0, 397.0, 643.0)):
        base.append(int(119.5 + 119.5 * math.sin(x / length + channel)))
base = bytes(base)
noise = bytes(rng.randrange(17) for _ in range(3 * width + 65536))
with open(sys.argv[1], "wb") as out:
    out.write(b"P6\n%d %d\n255\n" % (width, height))
    for y in range(height):
        # Rows differ by a slowly changing contrast, so the picture varies in both directions.
        gain = 0.55 + 0.45 * math.sin(y / 331.0)
        table = bytes(min(239, int(v * gain + 40 * (1 - gain))) for v in range(256))
        row = base.translate(table)
        start = (y * 7919) % 65536
        mixed = int.from_bytes(row, "big") + int.from_bytes(noise[start:start + 3 * width], "big")
        out.write(mixed.to_bytes(3 * width, "big"))
PYTHON
  cjpeg -baseline -quality 90 -outfile "$picture" "$work/in.ppm"
  rm -f "$work/in.ppm"
fi

djpeg_run=(djpeg -bmp -outfile "$work/djpeg.bmp" "$picture")
ours_run=("$converter" "$picture" "$work/ours.bmp")

echo "Timing with hyperfine ($runs runs each) ..."
hyperfine --warmup 2 --runs "$runs" --style basic --export-json "$work/times.json" \
  -n djpeg "${djpeg_run[*]@Q}" -n convert_jpeg "${ours_run[*]@Q}"

# Median peak resident set size in KB of a command run several times.
median_peak_kb() {
  for ((i = 0; i < memory_runs; i++)); do
    /usr/bin/time -f %M -o "$work/peak.txt" "$@"
    cat "$work/peak.txt"
  done | sort -n | sed -n "$(((memory_runs + 1) / 2))p"
}

echo "Measuring peak memory ($memory_runs runs each) ..."
djpeg_kb=$(median_peak_kb "${djpeg_run[@]}")
ours_kb=$(median_peak_kb "${ours_run[@]}")

python3 - "$work/times.json" "$djpeg_kb" "$ours_kb" <<'PYTHON'
import json
import sys

results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
djpeg_s, ours_s = results["djpeg"]["median"], results["convert_jpeg"]["median"]
djpeg_kb, ours_kb = int(sys.argv[2]), int(sys.argv[3])
time_ratio, memory_ratio = ours_s / djpeg_s, ours_kb / djpeg_kb

def verdict(ratio, bar):
    return "meets the bar" if ratio <= bar else "MISSES the bar"

print()
print(f"{'':24}{'djpeg':>12}{'convert_jpeg':>14}{'ratio':>9}  bar")
print(f"{'wall time, median (ms)':24}{djpeg_s * 1000:12.1f}{ours_s * 1000:14.1f}"
      f"{time_ratio:8.2f}x  <= 1.00x: {verdict(time_ratio, 1.0)}")
print(f"{'peak memory, median (MB)':24}{djpeg_kb / 1024:12.1f}{ours_kb / 1024:14.1f}"
      f"{memory_ratio:8.2f}x  <= 0.25x: {verdict(memory_ratio, 0.25)}")
PYTHON
