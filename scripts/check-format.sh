#!/usr/bin/env bash
# Fails when any C++ file of the tree is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ ${#files[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run -Werror "${files[@]}"; then
  echo "Some files are not formatted; run: clang-format -i <file>" >&2
  exit 1
fi
