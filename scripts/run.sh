#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target tarnwick
exec "$build/bin/tarnwick" "$@"
