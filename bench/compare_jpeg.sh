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
# The test picture is made once and kept in BUILD_FOLDER/bench-jpeg/ (bench/test_jpeg.sh). Both
# tools write their BMP files beside it, on the same file system.
#
# Figures printed, for each tool (bench/side_by_side.sh): wall time, the median of hyperfine's
# runs; peak memory, the median maximum resident set size of several runs; and our figure divided
# by djpeg's. Bars: wall time <= 1.0x djpeg's, peak memory <= 0.25x. In the same hyperfine run,
# the decoder's floor: djpeg decoding the file to /dev/null, without writing any picture; bar:
# our wall time <= 1.2x the floor's.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$repo/$build
converter=$build/bench/convert_jpeg
source "$repo/bench/test_jpeg.sh"
source "$repo/bench/side_by_side.sh"

require_tools python3 cjpeg djpeg hyperfine /usr/bin/time "$converter"

work=$build/bench-jpeg
picture=$(test_jpeg "$work")
their_run=(djpeg -bmp -outfile "$work/djpeg.bmp" "$picture")
our_run=("$converter" "$picture" "$work/ours.bmp")
floor_run=(djpeg -ppm -outfile /dev/null "$picture")
outputs=("$work/djpeg.bmp" "$work/ours.bmp")
side_by_side "$work" djpeg convert_jpeg "djpeg -ppm" JPEG
