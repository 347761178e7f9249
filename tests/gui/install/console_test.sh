#!/usr/bin/env bash
# The built program on the console: --version and --help print on stdout alone, without a window
# system; an unknown option is refused; a start prints nothing unless --verbose asks for the
# browser engine's messages; the engine keeps its storage and cache in the XDG data and cache
# folders; SIGTERM ends the program in order, its temporary folders gone; --demo runs on the
# sample site beside the executable in a throw-away home, its exports going to the real documents
# folder.
#   console_test.sh BIN_FOLDER
set -uo pipefail
bin=$1
root=$(mktemp -d)
# The engine's helper processes may still be writing for a moment after the program ended.
trap 'rm -rf "$root" 2>/dev/null || { sleep 1; rm -rf "$root"; }' EXIT
. "$(dirname "$0")/startbriefly.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Text alone needs no window system.
version=$(in_world env -u QT_QPA_PLATFORM "$bin/tarnwick" --version 2>"$root/version.stderr")
status=$?
[ "$status" = 0 ] || fail "--version exited with $status"
[ "$version" = "Tarnwick 3.12" ] || fail "--version printed '$version'"
[ ! -s "$root/version.stderr" ] || fail "--version wrote on stderr: $(cat "$root/version.stderr")"

help=$(in_world env -u QT_QPA_PLATFORM "$bin/tarnwick" --help 2>/dev/null)
for option in --verbose --version --demo --queue; do
  grep -q -- "$option" <<<"$help" || fail "--help does not list $option"
done

(in_world "$bin/tarnwick" --no-such-option) >/dev/null 2>"$root/unknown.stderr"
status=$?
[ "$status" != 0 ] || fail "an unknown option was accepted"
grep -q "no-such-option" "$root/unknown.stderr" || fail "an unknown option was not named: $(cat "$root/unknown.stderr")"
[ -z "$(ls -A "$world/tmp")" ] || fail "an unknown option left temporary folders: $(ls -A "$world/tmp")"

# A quiet start.
if start_briefly "$root/quiet" engine_started "$bin/tarnwick"; then
  [ "$(cat "$root/quiet.status")" = 0 ] || fail "SIGTERM ended the program with status $(cat "$root/quiet.status")"
  noise=$(without_platform_notice "$root/quiet.stderr")
  [ -z "$noise" ] || fail "a start wrote on stderr:
$noise"
  [ ! -s "$root/quiet.stdout" ] || fail "a start wrote on stdout: $(cat "$root/quiet.stdout")"
  [ -d "$world/cache/Brisvane Software/Tarnwick/browser" ] || fail "no browser cache in the XDG cache folder"
  [ ! -e "$world/config/Brisvane Software/Tarnwick/browser" ] || fail "browser data in the configuration folder"
  leftovers=$(ls -A "$world/tmp")
  [ -z "$leftovers" ] || fail "temporary folders left behind: $leftovers"
else
  fail "the program did not start"
fi

# --verbose leaves the engine's messages on: the quiet start above was quiet for a reason.
if start_briefly "$root/verbose" engine_started "$bin/tarnwick" --verbose; then
  grep -q "qt.webenginecontext" "$root/verbose.stderr" || fail "--verbose did not show the engine's messages"
else
  fail "the program did not start with --verbose"
fi

# --demo: its home is a throw-away folder in the temporary folder, with settings without the
# random pause; the sample site runs meanwhile. Both are gone after the end.
demo_started() {
  local data
  data=$(find "$world/tmp" -path '*/data/Brisvane Software/Tarnwick/browser/Cookies' 2>/dev/null | head -n 1)
  [ -n "$data" ] || return 1
  find "$world/tmp" -path '*/config/Brisvane Software/Tarnwick/settings.dat' -exec cat {} + >"$root/demo.settings"
  pgrep -f -- "$bin/tarnwick-sample-site" >"$root/demo.site" || true
}
if start_briefly "$root/demo" demo_started "$bin/tarnwick" --demo; then
  [ "$(cat "$root/demo.status")" = 0 ] || fail "--demo ended with status $(cat "$root/demo.status")"
  grep -q '<%%eRandom%%>0<' "$root/demo.settings" || fail "--demo keeps the random pause"
  grep -qF "<%%eExportFolder%%>$world/home/Documents<" "$root/demo.settings" ||
    fail "--demo exports into $(grep -o 'eExportFolder%%>[^<]*' "$root/demo.settings")"
  [ -s "$root/demo.site" ] || fail "--demo did not start the sample site"
  for pid in $(cat "$root/demo.site"); do
    ! kill -0 "$pid" 2>/dev/null || fail "the sample site still runs after the program ended"
  done
  [ -z "$(ls -A "$world/tmp")" ] || fail "--demo left its home behind: $(ls -A "$world/tmp")"
  [ ! -e "$world/config" ] || fail "--demo wrote into the user's own configuration folder"
else
  fail "--demo did not start"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "console: all checks passed"
