#!/usr/bin/env bash
# Installs everything Lintavo needs to build, test and benchmark on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libjpeg62-turbo-dev libpng-dev libtiff-dev libgif-dev liblz4-dev nlohmann-json3-dev
  libfontconfig-dev
  # the help: chmlib reads Lintavo.chm, fp-utils' chmcmd compiles it
  libchm-dev fp-utils
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-turbo-progs imagemagick hyperfine time xvfb
  clang-format
  # Windows: the cross compiler, zlib for it, nasm for libjpeg-turbo's SIMD code, dpkg-dev for the
  # libraries' Debian source packages, and Wine to run the tests
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm dpkg-dev wine64
  # the real browsers whose session files the integration tests read
  firefox-esr chromium
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
