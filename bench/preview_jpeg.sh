#!/usr/bin/env bash
# Times the background dialog's preview of a 6000x4000 JPEG (bench/preview_bench.cpp): decoding at
# the reduced scale that covers the 544 x 331 panel, then scaling smoothly to fit it. The bar: a
# median under 150 ms.
#
# Usage: bench/preview_jpeg.sh [BUILD_FOLDER]
#   BUILD_FOLDER  a build of this repository with the windows, holding bench/preview_bench
#                 (default: build). The script builds nothing; use a Release build for figures.
#
# Needs: python3 and cjpeg (libjpeg-turbo-progs), for the test picture kept in
# BUILD_FOLDER/bench-jpeg/ (bench/test_jpeg.sh, the picture compare_jpeg.sh converts).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build=$repo/$build
source "$repo/bench/test_jpeg.sh"

picture=$(test_jpeg "$build/bench-jpeg")
"$build/bench/preview_bench" "$picture" --benchmark_repetitions=15 \
  --benchmark_report_aggregates_only=true
