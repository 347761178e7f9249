#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and starts it.
#   scripts/run.sh [options]         the program, on the real sites
#   scripts/run.sh --demo [options]  tarnwick --demo: the program on a sample site on 127.0.0.1 that
#                                    stands in for every outside site, in a throw-away home folder,
#                                    without the random pause between requests: press "Get Data"
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(tarnwick)
for arg in "$@"; do
  # The program offers --demo only with the sample site beside it.
  if [ "$arg" = "--demo" ]; then
    targets+=(tarnwick-sample-site)
  fi
done
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target "${targets[@]}"
exec "$build/bin/tarnwick" "$@"
