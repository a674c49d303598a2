#!/usr/bin/env bash
# Builds a Release tree in build-release/ and prints every benchmark figure:
#   - page store: load of ten full pages; SavePages + GeneratePages with a 30 KB template (medians)
#   - settings-file engine on its own
#   - the snapshot of the open browser windows: three running browsers, 500 tabs (median)
#   - JPEG to BMP of a 6000x4000 picture beside `djpeg -bmp` (see compare_jpeg.sh)
#   - PNG, TIFF and GIF to BMP of 6000x4000 pictures beside `convert FILE bmp3:OUT`
#     (see compare_pictures.sh)
#   - the background dialog's preview of a 6000x4000 JPEG, decoded and scaled (median; see
#     preview_jpeg.sh)
#   - start-up to first paint with ten full pages beside a bare Qt window (compare_startup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLINTAVO_BUILD_TESTS=OFF \
  -DLINTAVO_BUILD_BENCHMARKS=ON
cmake --build build-release --target pages_bench profile_bench shell_windows_bench convert_jpeg \
  convert_picture preview_bench bare_window lintavo_first_paint

aggregate=(--benchmark_repetitions=15 --benchmark_report_aggregates_only=true)
build-release/bench/pages_bench "${aggregate[@]}"
build-release/bench/profile_bench "${aggregate[@]}"
build-release/bench/shell_windows_bench "${aggregate[@]}"
bench/compare_jpeg.sh build-release
bench/compare_pictures.sh build-release
bench/preview_jpeg.sh build-release
bench/compare_startup.sh build-release
