#!/usr/bin/env bash
# Builds the libraries that Lintavo's Qt-free core and its tests call, for 64-bit Windows, from
# Debian's own source packages (apt-get source, with a deb-src entry for the same archive) with
# Debian's MinGW-w64 and cmake/mingw-w64-x86_64.cmake. zlib comes ready from libz-mingw-w64-dev.
#
# They are installed as static libraries into a prefix in the cache folder
# (LINTAVO_WINDOWS_CACHE, default ~/.cache/lintavo-windows), named after a key of the source
# versions, the compiler's version and this script with the toolchain file: a second run with the
# same key finds the prefix complete and builds nothing. Prints the prefix's path on its last line;
# everything else goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
toolchain=$project/cmake/mingw-w64-x86_64.cmake
packages=(libjpeg-turbo libpng1.6 tiff giflib lz4 nlohmann-json3 googletest)

say() { echo "build-windows-deps: $*" >&2; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# Source packages come from the archive the machine installs from.
if ! apt-cache showsrc giflib 2>/dev/null | grep -q '^Package:'; then
  say "adding deb-src entries for the Debian archive"
  sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
    $sudo tee /etc/apt/sources.list.d/lintavo-deb-src.sources > /dev/null
  $sudo apt-get update >&2
fi

cache=${LINTAVO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lintavo-windows}
mkdir -p "$cache/sources"

# Downloads a source package into the cache, once, and notes its version: the version the Linux
# build uses when the archive still has it, else the newest the archive has.
declare -A versions
fetch() {
  local package=$1 version folder
  for version in $(dpkg-query -W -f='${source:Package} ${source:Version}\n' | awk -v p="$package" \
      '$1 == p { print $2 }' | sort -u) \
    $(apt-cache showsrc "$package" | awk '/^Version:/ { print $2 }' | sort -Vr); do
    folder=$cache/sources/$package/$version
    if [ ! -f "$folder/.fetched" ]; then
      rm -rf "$folder"
      mkdir -p "$folder"
      (cd "$folder" && apt-get source --download-only -qq "$package=$version" >&2) ||
        { rm -rf "$folder"; continue; }
      touch "$folder/.fetched"
    fi
    versions[$package]=$version
    return 0
  done
  say "no source of $package could be downloaded"
  return 1
}

key_text=$(x86_64-w64-mingw32-g++-posix --version | head -1; cat "$0" "$toolchain")
for package in "${packages[@]}"; do
  fetch "$package"
  key_text+=$'\n'"$package ${versions[$package]}"
done
key=$(printf '%s' "$key_text" | sha256sum | cut -c1-16)

prefix=$cache/deps-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

# The libraries are installed where they stay (their CMake and pkg-config files name the prefix);
# a run cut short leaves the prefix without its mark, and the next run starts it again.
work=$(mktemp -d "$cache/work-XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix"
export LINTAVO_WINDOWS_PREFIX=$prefix

# Unpacks a fetched source package, Debian's patches applied, and prints its folder.
unpack() {
  local package=$1
  dpkg-source -x "$cache/sources/$package/${versions[$package]}"/*.dsc "$work/$package" >&2
  echo "$work/$package"
}

# Configures, builds and installs a CMake project for Windows into the prefix.
cmake_install() {
  local source=$1
  shift
  cmake -S "$source" -B "$source/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >&2
  cmake --build "$source/build-windows" >&2
  cmake --install "$source/build-windows" >&2
}

say "libjpeg-turbo ${versions[libjpeg-turbo]}"
cmake_install "$(unpack libjpeg-turbo)" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
  -DREQUIRE_SIMD=ON

say "libpng ${versions[libpng1.6]}"
cmake_install "$(unpack libpng1.6)" -DPNG_SHARED=OFF -DPNG_TESTS=OFF

say "libtiff ${versions[tiff]}"
cmake_install "$(unpack tiff)" -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
  -Dtiff-docs=OFF -Dcxx=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF \
  -Dlibdeflate=OFF -Djpeg=ON -Dzlib=ON

# giflib builds with a Makefile written for POSIX systems: its library is compiled here directly.
say "giflib ${versions[giflib]}"
gif=$(unpack giflib)
(
  cd "$gif"
  for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
    x86_64-w64-mingw32-gcc-posix -O2 -c "$file.c" -o "$file.o"
  done
  x86_64-w64-mingw32-ar rcs libgif.a ./*.o
)
install -D -m 644 "$gif/gif_lib.h" "$prefix/include/gif_lib.h"
install -D -m 644 "$gif/libgif.a" "$prefix/lib/libgif.a"

say "lz4 ${versions[lz4]}"
cmake_install "$(unpack lz4)/build/cmake" -DBUILD_STATIC_LIBS=ON -DLZ4_BUILD_CLI=OFF \
  -DLZ4_BUILD_LEGACY_LZ4C=OFF

say "nlohmann-json ${versions[nlohmann-json3]}"
cmake_install "$(unpack nlohmann-json3)" -DJSON_BuildTests=OFF -DJSON_Install=ON

say "googletest ${versions[googletest]}"
cmake_install "$(unpack googletest)" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

touch "$prefix/.complete"
say "done: $prefix"
echo "$prefix"
