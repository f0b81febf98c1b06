#!/usr/bin/env bash
# Builds everything (program, tools, data) and runs every test: the README's test command.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build"
# The installation folder (stroke archives, picture dictionary, language files, pictures).
cmake --build "$build" --target installation
ctest --test-dir "$build" --output-on-failure
