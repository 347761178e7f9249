# Sourced by the tests of this folder: starts a Tarnwick executable offscreen for a moment in a
# world of its own below $root (home, XDG folders, temporary folder, every address on 127.0.0.1)
# and ends it with SIGTERM, as a session's end would. Chromium's own background requests are off.

# A port nothing listens on: every request fails at once and nothing leaves the machine.
closed=http://127.0.0.1:9

# The folders of the world start_briefly makes.
world=$root/world

# Whether the engine has opened its storage in the data folder: the window is up and the
# browser engine running.
engine_started() {
  [ -e "$world/data/Brisvane Software/Tarnwick/browser/Cookies" ]
}

# in_world PROGRAM [ARGS...]: replaces the shell by PROGRAM in the world below $world; call it
# in a subshell or in the background.
in_world() {
  mkdir -p "$world/home" "$world/tmp"
  exec env -u XDG_RUNTIME_DIR -u QT_LOGGING_RULES -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$world/home" TMPDIR="$world/tmp" \
    XDG_CONFIG_HOME="$world/config" XDG_DATA_HOME="$world/data" XDG_CACHE_HOME="$world/cache" \
    QT_QPA_PLATFORM=offscreen \
    QTWEBENGINE_CHROMIUM_FLAGS="--disable-background-networking --disable-component-update" \
    TARNWICK_LINKEDIN_HTTPS=$closed TARNWICK_LINKEDIN_HTTP=$closed TARNWICK_GOOGLE_MAPS_HTTP=$closed \
    TARNWICK_PLACES_HTTP=$closed TARNWICK_PLACES_HTTPS=$closed \
    TARNWICK_UPDATE_BASE_URL=$closed/updates/ TARNWICK_NEWS_DATA_URL=$closed/news.dat \
    TARNWICK_OFFERS_PAGE_URL=$closed/offers.php TARNWICK_TUTORIAL_URL=$closed/tutorial \
    TARNWICK_AFFILIATES_URL=$closed/affiliates TARNWICK_PROXY_ADVICE_URL=$closed/proxy \
    "$@"
}

# start_briefly OUT READY PROGRAM [ARGS...]: runs PROGRAM in a fresh world until the command
# READY succeeds, then sends SIGTERM. Its stdout and stderr land in OUT.stdout and OUT.stderr,
# its exit status in OUT.status. Fails when READY never succeeds within a minute.
start_briefly() {
  local out=$1 ready=$2
  shift 2
  rm -rf "$world"
  in_world "$@" >"$out.stdout" 2>"$out.stderr" &
  local pid=$!
  local waited=0
  while ! "$ready" && kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 600 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if ! "$ready"; then
    echo "FAIL: $* did not get to $ready" >&2
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    cat "$out.stderr" >&2
    return 1
  fi
  # A moment for the first navigation and its failure, which would bring the engine's chatter.
  sleep 1
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  echo "$status" >"$out.status"
}

# The lines of a file that are not the offscreen platform's own notice about window size hints:
# that one comes from the test's platform, not from the program or the engine.
without_platform_notice() {
  grep -v -x 'This plugin does not support propagateSizeHints()' "$1" || true
}
