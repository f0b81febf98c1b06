#!/usr/bin/env bash
# Builds everything (program, tools, data) and starts Inkwren on the installation folder the
# build assembles: the README's run command.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build/inkwren"
exec "$root/build/app/inkwren"
