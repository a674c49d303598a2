#!/usr/bin/env bash
# Fuzzes the targets in tests/fuzz/ with libFuzzer.
#
#   scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]
#
# SECONDS-PER-TARGET defaults to 60; without TARGETs every target runs, one after the other:
#   settings_file registry_hive desktop_entry mime_applications page_generation jpeg_to_bitmap
#   png_picture gif_picture tiff_picture bmp_picture firefox_session chromium_session firefox_prefs
#   chromium_preferences
#
# Installs clang and its fuzzing runtime when they are missing (apt-get, as root or through
# sudo), builds the targets with clang and -fsanitize=fuzzer,address,undefined into build-fuzz/
# (or the folder FUZZ_BUILD names; build-fuzz/ stands for it below), and runs each on a working
# corpus in build-fuzz/runs/<target>/corpus/: the repository's corpus
# (tests/fixtures/fuzz/<target>/) copied in, plus whatever earlier runs found. New inputs stay
# there and never land in the repository by themselves. A crash, a leak, a broken check or an input
# slower than FUZZ_TIMEOUT seconds (default 20) stops that target; the input is kept in
# build-fuzz/runs/<target>/crashes/ and its path printed at the end, and the script then exits 1.
# Inputs slower than 10 s are kept there too ("slow-unit-...") and listed apart: the sanitizers
# make every run several times slower, so they are worth a look but not faults by themselves.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(settings_file registry_hive desktop_entry mime_applications page_generation
  jpeg_to_bitmap png_picture gif_picture tiff_picture bmp_picture firefox_session chromium_session
  firefox_prefs chromium_preferences)
build=${FUZZ_BUILD:-build-fuzz}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for target in "${targets[@]}"; do
  [ -d "tests/fixtures/fuzz/$target" ] || {
    echo "unknown target: $target (known: ${all_targets[*]})" >&2
    exit 2
  }
done

missing=()
for package in clang libclang-rt-14-dev cmake ninja-build pkg-config libjpeg62-turbo-dev \
  libpng-dev libtiff-dev libgif-dev liblz4-dev nlohmann-json3-dev libgtest-dev libgmock-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Everything is instrumented for coverage and the sanitizers; only the fuzz targets link
# libFuzzer's main. Warnings are not errors here: the GCC builds hold that line.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DLINTAVO_BUILD_GUI=OFF -DLINTAVO_BUILD_BENCHMARKS=OFF -DLINTAVO_WARNINGS_AS_ERRORS=OFF \
  -DLINTAVO_BUILD_FUZZERS=ON -DLINTAVO_LIBFUZZER=ON \
  "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
cmake --build "$build" --target lintavo_fuzzers

summary=()
crashes=()
slow=()
for target in "${targets[@]}"; do
  run="$build/runs/$target"
  mkdir -p "$run/corpus" "$run/crashes"
  cp -n "tests/fixtures/fuzz/$target/"* "$run/corpus/"
  echo "== fuzzing $target for $seconds s"
  status=0
  # The target's scratch files go to a folder of this run alone, so nothing stays behind a crash.
  scratch=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/lintavo-fuzz-run-XXXXXX")
  TMPDIR="$scratch" "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
    -timeout="${FUZZ_TIMEOUT:-20}" -rss_limit_mb=2048 -print_final_stats=1 \
    -entropic_scale_per_exec_time=1 \
    -artifact_prefix="$run/crashes/" "$run/corpus" 2>&1 | tee "$run/last.log" || status=$?
  rm -rf "$scratch"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/last.log")
  summary+=("$target: ${executions:-?} executions, exit status $status")
  while IFS= read -r file; do
    case "$(basename "$file")" in
      slow-unit-*) slow+=("$target: $file") ;;
      *) crashes+=("$target: $file") ;;
    esac
  done < <(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$run/last.log")
done

echo
echo "== summary (${seconds} s per target)"
printf '%s\n' "${summary[@]}"
if [ ${#slow[@]} -gt 0 ]; then
  echo "== inputs slower than 10 s"
  printf '%s\n' "${slow[@]}"
fi
if [ ${#crashes[@]} -gt 0 ]; then
  echo "== inputs that found a fault"
  printf '%s\n' "${crashes[@]}"
  exit 1
fi
