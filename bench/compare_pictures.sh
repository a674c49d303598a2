#!/usr/bin/env bash
# Times Lintavo's storing of a background picture against ImageMagick's `convert FILE bmp3:OUT` and
# compares their peak memory, on one 6000x4000 picture in each of PNG, TIFF (LZW) and GIF.
#
# Usage: bench/compare_pictures.sh [BUILD_FOLDER]
#   BUILD_FOLDER  a build of this repository holding bench/convert_picture and bench/decode_floor
#                 (default: build). The script builds nothing; use a Release build for figures, e.g.
#                   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release \
#                     -DLINTAVO_BUILD_BENCHMARKS=ON
#                   cmake --build build-rel --target convert_picture decode_floor
#                   bench/compare_pictures.sh build-rel
#
# Needs: ImageMagick's convert, python3, hyperfine, GNU time (/usr/bin/time).
#
# The test pictures are made once and kept in BUILD_FOLDER/bench-pictures/: one 6000x4000 fractal
# (plasma, with a fixed seed, so it is neither flat nor noise and compresses like a photograph),
# stored as an 8-bit RGB PNG, an 8-bit RGB TIFF in LZW-compressed strips, and a GIF of 256
# colours. Both tools write their BMP files beside them, on the same file system.
#
# Figures printed, for each format and tool (bench/side_by_side.sh): wall time, the median of
# hyperfine's runs; peak memory, the median maximum resident set size of several runs; and our
# figure divided by convert's. Bars: wall time <= 1.0x convert's, peak memory <= 0.25x. In the
# same hyperfine run, the decoder's floor: bench/decode_floor, the format's library decoding the
# file to nothing; bar: our wall time <= 1.2x the floor's.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$repo/$build
converter=$build/bench/convert_picture
decode_floor=$build/bench/decode_floor
source "$repo/bench/side_by_side.sh"

require_tools convert python3 hyperfine /usr/bin/time "$converter" "$decode_floor"

work=$build/bench-pictures
mkdir -p "$work"

# The fractal in the format of the file name's extension.
store_fractal() {
  local fractal=$1 picture=$2
  case $picture in
    *.png) convert "$fractal" -strip png24:"$picture" ;;
    *.tif) convert "$fractal" -strip -compress LZW tiff:"$picture" ;;
    *.gif) convert "$fractal" -strip -colors 256 gif:"$picture" ;;
  esac
}

for extension in png tif gif; do
  picture=$work/in.$extension
  if [[ ! -s $picture ]]; then
    if [[ ! -s $work/fractal.miff ]]; then
      echo "Making the 6000x4000 fractal in $work ..."
      convert -seed 2003 -size 6000x4000 plasma:fractal -depth 8 "$work/fractal.miff"
    fi
    echo "Storing it as $picture ..."
    store_fractal "$work/fractal.miff" "$picture"
  fi
done
rm -f "$work/fractal.miff"

for extension in png tif gif; do
  picture=$work/in.$extension
  echo
  echo "== $(basename "$picture"), $(du -h "$picture" | cut -f1)"
  mkdir -p "$work/$extension"
  their_run=(convert "$picture" "bmp3:$work/$extension/convert.bmp")
  our_run=("$converter" "$picture" "$work/$extension/ours.bmp")
  floor_run=("$decode_floor" "$picture")
  outputs=("$work/$extension/convert.bmp" "$work/$extension/ours.bmp")
  kind=${extension^^}
  side_by_side "$work/$extension" convert convert_picture decode_floor "${kind/TIF/TIFF}"
done
