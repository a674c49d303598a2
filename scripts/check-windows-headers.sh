#!/usr/bin/env bash
# Checks that every header of the seam to the operating system (src/os/*.h), of the portable base
# beneath it (src/base/*.h) and of the browsers layer above it (src/browsers/, its families
# included) compiles for Windows: each on its own after <windows.h> and <shlobj.h>, with the
# MinGW-w64 cross compiler, so that a Windows implementation can be dropped in beside the POSIX
# one. Exits 77 (skipped) when the cross compiler is not installed (Debian:
# g++-mingw-w64-x86-64-posix).
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=""
for candidate in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++; do
  if command -v "$candidate" > /dev/null; then
    compiler=$candidate
    break
  fi
done
if [ -z "$compiler" ]; then
  echo "skipped: no MinGW-w64 cross compiler"
  exit 77
fi

# <windows.h> is compiled once, into a precompiled header that every check includes first.
prelude=$(mktemp -d)
trap 'rm -rf "$prelude"' EXIT
printf '#include <windows.h>\n#include <shlobj.h>\n' > "$prelude/windows-prelude.h"
"$compiler" -std=c++20 -x c++-header "$prelude/windows-prelude.h" -o "$prelude/windows-prelude.h.gch"

failed=0
for header in src/base/*.h src/os/*.h src/browsers/*.h src/browsers/*/*.h; do
  if ! printf '#include "%s"\n' "${header#src/}" |
    "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Werror -Isrc \
      -include "$prelude/windows-prelude.h" -x c++ -; then
    echo "does not compile for Windows: $header"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "every src/base, src/os and src/browsers header compiles for Windows"
exit "$failed"
