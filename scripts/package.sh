#!/usr/bin/env bash
# Builds the Debian package of Tarnwick: <build>/packages/tarnwick_<version>_<arch>.deb, where
# <build> is $TARNWICK_BUILD or build-pkg. Install it with: sudo apt install ./<that file>
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build-pkg}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target tarnwick
cpack --config "$build/CPackConfig.cmake" -B "$build/packages"
ls -1 "$build"/packages/tarnwick_*.deb
