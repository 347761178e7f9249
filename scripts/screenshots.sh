#!/usr/bin/env bash
# Takes the README's pictures anew: the window tests that take them run, and their pictures are
# copied into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2
rm -rf "$build/screenshots"
ctest --test-dir "$build" --output-on-failure -R '^(test_gui_extractionrun|test_gui_mainwindow)$'
for picture in demo-run offers-tab restore-and-status todays-layout queue-dialog library-tab; do
  cp "$build/screenshots/$picture.png" docs/
done
echo "docs/: demo-run.png, offers-tab.png, restore-and-status.png, todays-layout.png, queue-dialog.png, library-tab.png"
