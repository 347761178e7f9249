#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and starts it.
#   scripts/run.sh [options]         the program, on the real sites
#   scripts/run.sh --demo [options]  the program on a sample site on 127.0.0.1 that stands in for
#                                    every outside site, in a throw-away home folder, without the
#                                    random pause between requests: press "Get Data" to see a run
set -euo pipefail
cd "$(dirname "$0")/.."
demo=0
if [ "${1:-}" = "--demo" ]; then
  demo=1
  shift
fi
scripts/install-deps.sh
build=${TARNWICK_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "$demo" = 0 ]; then
  cmake --build "$build" -j2 --target tarnwick
  exec "$build/bin/tarnwick" "$@"
fi

cmake --build "$build" -j2 --target tarnwick tarnwick-sample-site
home=$(mktemp -d)
site_pid=""
app_pid=""
cleanup() {
  set +e
  for pid in $app_pid $site_pid; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  # The browser engine's helper processes may still be writing into the profile for a moment.
  rm -rf "$home" 2>/dev/null || true
  if [ -e "$home" ]; then
    sleep 1
    rm -rf "$home"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$build/bin/tarnwick-sample-site" --start-at-search --print-env >"$home/site.env" &
site_pid=$!
for _ in $(seq 100); do
  grep -qx ready "$home/site.env" && break
  sleep 0.1
done
grep -qx ready "$home/site.env" || { echo "the sample site did not start" >&2; exit 1; }
while IFS= read -r line; do
  case "$line" in TARNWICK_*=*) export "${line?}" ;; esac
done <"$home/site.env"
echo "Sample site at $(head -n 1 "$home/site.env"); press \"Get Data\" in Tarnwick to start a run."

export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
settings="$XDG_CONFIG_HOME/Brisvane Software/Tarnwick"
mkdir -p "$settings" "$home/Documents"
printf '<%%%%eRandom%%%%>0<%%%%/eRandom%%%%>\r\n' >"$settings/settings.dat"
"$build/bin/tarnwick" "$@" &
app_pid=$!
status=0
wait "$app_pid" || status=$?
app_pid=""
exit "$status"
