#!/usr/bin/env bash
# Builds everything (program, tools, data) and starts Inkwren on the installation folder the
# build assembles: the README's run command.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja
cmake --build "$build"
cmake --build "$build" --target installation
cd "$build/inkwren"
exec "$build/app/inkwren"
