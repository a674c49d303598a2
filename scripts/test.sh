#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every test. Then builds the
# Qt-free core on its own under AddressSanitizer and UndefinedBehaviorSanitizer, in
# build-sanitize/, and runs its tests there again with the fuzz corpora replayed
# (tests/fixtures/fuzz/). Last, the seam's contract tests built for Windows run under Wine
# (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/check-format.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DLINTAVO_BUILD_GUI=OFF -DLINTAVO_BUILD_BENCHMARKS=OFF -DLINTAVO_BUILD_FUZZERS=ON \
  "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure --timeout 300 -j "$(nproc)"

scripts/test-windows.sh
