#!/usr/bin/env bash
# Installs what is missing and builds everything: the program, its tools, tests, benchmarks and
# the installation folder with its data (build/inkwren).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja
# One run for both, so the data is built while the rest still compiles.
cmake --build "$build" --target all installation
