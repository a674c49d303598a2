#!/usr/bin/env bash
# Checks that every C++ file in the repository is formatted as the project's .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "every C++ file is formatted"
