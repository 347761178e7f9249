#!/usr/bin/env bash
# Builds and runs every benchmark and prints its figures. With --busy, two processes keep both
# cores busy meanwhile, so the figures show the program on a loaded machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target benchmarks
export QT_QPA_PLATFORM=offscreen

if [ "${1:-}" = "--busy" ]; then
  busy=()
  for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
  done
  trap 'kill "${busy[@]}" 2>/dev/null' EXIT
  echo "(both cores kept busy)"
fi

# Exactly the benchmark programs: the folder also holds CMake's own files and folders.
# bench_journal: a journal of 100,000 rows restored, time and memory against their targets.
# bench_library: 100,000 rows into the lead library; with 1,000,000 companies, the known-link
# test and the search box (the million is written first, about a minute).
# bench_librarytab: the Library tab over 1,000,000 companies: its first screen, the search box and
# a jump to the middle and the end of the table.
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
