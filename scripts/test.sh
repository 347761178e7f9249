#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, checks the formatting
# and runs every test. With CI=true (or --sanitize) the core tests run once more under
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer; with CI=true the fuzz targets
# then run for ten seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=0
[ "${CI:-}" = "true" ] && sanitize=1
[ "${1:-}" = "--sanitize" ] && sanitize=1

scripts/install-deps.sh
scripts/check-format.sh

# CI keeps line tables but no variables in its debug information: a quarter less compile time,
# and every backtrace still names its lines.
debug=()
if [ "${CI:-}" = "true" ]; then
  debug=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_DEBUG="-g1")
fi

build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_WERROR=ON "${debug[@]}"
cmake --build "$build" -j2

# Core tests in parallel; GUI tests, each with its own browser engine, one at a time.
ctest --test-dir "$build" --output-on-failure -L core -j2
ctest --test-dir "$build" --output-on-failure -L gui -j1

if [ "$sanitize" = 1 ]; then
  asan=${build}-asan
  cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_WERROR=ON -DTARNWICK_SANITIZE=ON \
        -DTARNWICK_CORE_ONLY=ON -DTARNWICK_BUILD_BENCH=OFF "${debug[@]}"
  cmake --build "$asan" -j2
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$asan" --output-on-failure -L core -j2
fi

if [ "${CI:-}" = "true" ]; then
  scripts/fuzz.sh 10
fi
