#!/usr/bin/env bash
# Builds and runs every benchmark and prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target benchmarks
export QT_QPA_PLATFORM=offscreen
# Exactly the benchmark programs: the folder also holds CMake's own files and folders.
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
