#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ in build-fuzz (clang, AddressSanitizer and UBSan) and runs
# each for the given number of seconds (default 60), seeded from the test data. Prints one line
# per target and exits non-zero when any target fails; a failing input is kept in
# build-fuzz/fuzz/failures/ (replay it with build-fuzz/fuzz/fuzz_<target> <file>).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds per target]" >&2
  exit 2
fi

command -v clang++ >/dev/null && command -v llvm-symbolizer >/dev/null || scripts/install-deps.sh

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DTARNWICK_CORE_ONLY=ON -DTARNWICK_BUILD_TESTS=OFF -DTARNWICK_BUILD_BENCH=OFF \
      -DTARNWICK_FUZZ=ON -DTARNWICK_SANITIZE=ON >/dev/null
cmake --build "$build" --target tarnwick_fuzz -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures="$build/fuzz/failures"

# name, longest input, how seeds are fed ("text" as they are; "file" once per code page, behind
# the byte that chooses it), seed files. Seeds of tests/data/fuzz/<name>/ are added to these.
targets=(
  "textcursor     4096 text tests/data/browser/*.html"
  "htmltext       4096 text tests/data/browser/*.html tests/data/enrichment/company_full.html"
  "markerscan     4096 text tests/data/enrichment/company_full.html"
  "companydetails 16384 text tests/data/enrichment/company_full.html"
  "places         8192 text tests/data/enrichment/*.json"
  "contactpage    16384 text tests/data/browser/links.html tests/data/browser/hostile.html"
  "settings       4096 file tests/data/settings/*.dat"
  "languagefile   16384 file languages/*.dat"
  "exportline     4096 text"
  "resultspage    65536 text tests/data/browser/layout*.html tests/data/browser/nextpage*.html"
  "publisherreply 8192 text"
  "resultcards    8192 text"
  "publiccompanypage 16384 text"
  "contactscanner 16384 text tests/data/browser/links.html tests/data/browser/hostile.html"
)

status=0
for entry in "${targets[@]}"; do
  read -r name maxLen kind seeds <<<"$entry"
  corpus="$work/corpus/$name"
  mkdir -p "$corpus" "$work/tmp"
  for seed in $seeds tests/data/fuzz/"$name"/*; do
    [ -f "$seed" ] || continue
    if [ "$kind" = file ]; then
      { printf '\0'; cat "$seed"; } >"$corpus/utf8-$(basename "$seed")"
      { printf '\1'; cat "$seed"; } >"$corpus/cp1252-$(basename "$seed")"
    else
      cp "$seed" "$corpus/"
    fi
  done
  options=(-max_total_time="$seconds" -max_len="$maxLen" -timeout=10 -print_final_stats=1
           -artifact_prefix="$work/$name-")
  [ -f "fuzz/dicts/$name.dict" ] && options+=(-dict="fuzz/dicts/$name.dict")

  log="$work/$name.log"
  if TMPDIR="$work/tmp" LC_ALL=C.UTF-8 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
       "$build/fuzz/fuzz_$name" "${options[@]}" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'DONE *cov: [0-9]*' "$log" | grep -o '[0-9]*$' || true)
    printf '%-16s ok      %9s runs, coverage %s\n' "$name" "${runs:-?}" "${coverage:-?}"
  else
    status=1
    mkdir -p "$failures"
    kept=""
    for artifact in "$work/$name-"*; do
      [ -f "$artifact" ] || continue
      cp "$artifact" "$failures/"
      kept="$failures/$(basename "$artifact")"
    done
    printf '%-16s FAILED  input kept in %s\n' "$name" "${kept:-(none)}"
    grep -E 'Property failed|ERROR|SUMMARY|runtime error' -A4 "$log" | head -40 >&2 || tail -40 "$log" >&2
  fi
done
exit "$status"
