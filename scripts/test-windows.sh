#!/usr/bin/env bash
# Builds the seam's contract tests for Windows with MinGW-w64 (the libraries from
# scripts/build-windows-deps.sh, cached) into build-windows/, and runs them under Wine in a Wine
# prefix of their own there, made afresh on every run. Exits with the tests' status.
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=$(scripts/build-windows-deps.sh)
# Tests are listed when they run, not when they are built: listing them at build time would start
# Wine for every test program.
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DLINTAVO_WINDOWS_PREFIX="$prefix" \
  -DLINTAVO_BUILD_GUI=OFF -DLINTAVO_BUILD_FUZZERS=OFF \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build build-windows --target os_tests

export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
rm -rf "$WINEPREFIX"
wineboot --init
status=0
wine build-windows/tests/os_tests.exe || status=$?
wineserver --kill || true
exit "$status"
