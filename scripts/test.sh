#!/usr/bin/env bash
# Builds everything (program, tools, data) and runs every test: the README's test command.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j2
