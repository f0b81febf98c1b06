#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (clang, leak detection
# on) in its own build folder, build-sanitize, and runs every test there: the suites, and every
# fuzz corpus and crash input kept so far, replayed through its target.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"

bash "$root/scripts/install-deps.sh"
# The tests that read the full data read the ordinary build's installation folder, stroke data
# package and unpacked Unihan when they are there (the README's test command builds them).
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DINKWREN_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINKWREN_INSTALLATION_DIR="$root/build/inkwren" \
  -DINKWREN_STROKE_PACKAGE_DIR="$root/build/stroke-data/package" \
  -DINKWREN_UNIHAN_DIR="$root/build/unihan"
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0
# The checks over every entry of the data and the kill test (labels whole-data and kill) run in
# the ordinary build; what they exercise runs here through the unit tests and the fuzz replays,
# without their minutes.
ctest --test-dir "$build" --output-on-failure -j2 -LE '^(whole-data|kill)$'
