#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# in build-fuzz and runs every target for SECONDS (default 60), two at a time, each from its
# seed corpus. What a target finds is kept in build-fuzz/findings/TARGET/; a crash input belongs
# in fuzz/regressions/TARGET/ once its fault is fixed. Exits 1 when any target found a fault.
#   fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(stroke_text stroke_archive companion language settings_records small_files palette
           picture_dictionary clipboard char_info)
fi

bash "$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DINKWREN_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0

run_target() {
  local target=$1 seconds=$2 build=$3 root=$4
  local findings="$build/findings/$target"
  mkdir -p "$findings/corpus" "$findings/crashes"
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/crashes/" \
      "$findings/corpus" "$root/fuzz/corpus/$target" >"$findings/log" 2>&1; then
    status=clean
  else
    status="FOUND A FAULT (see $findings/log)"
  fi
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$findings/log" | grep -o '[0-9]*$' || echo '?')
  echo "$target: $runs executions in ${seconds} s, $status"
  [ "$status" = clean ]
}
export -f run_target

printf '%s\n' "${targets[@]}" |
  xargs -P 2 -I{} bash -c 'run_target "$@"' _ {} "$seconds" "$build" "$root"
