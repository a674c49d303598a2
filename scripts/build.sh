#!/usr/bin/env bash
# Configures and builds Lintavo into build/ (the program is build/lintavo).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@"
cmake --build build
