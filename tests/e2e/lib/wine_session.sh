# Shared helpers for the end-to-end suites: one private Wine prefix on one private X display.
# Source this file, then:
#   wine_session_start <name>      temp dir ($E2E_TMP), WINEPREFIX, Xvfb, DISPLAY, wineboot
#   wine_session_screenshot <png>  grabs the whole virtual screen (both monitors, see below)
#   wine_session_stop              idempotent; also runs from the EXIT trap
#   wait_until <seconds> <cmd...>  polls cmd every 0.2 s until it succeeds (seconds may be 2.5)
# wine_session_start installs an EXIT trap (and INT/TERM traps that exit) for the cleanup.
# E2E_DISPLAY=<n> uses display :n and no other (parallel runs each take their own); unset, the
# first free display from 90 up is taken. E2E_SCREEN=<w>x<h>x<depth> sizes the virtual screen
# (default 1024x768x24).
# E2E_MONITORS=2 gives the programs two monitors side by side, 1024x768 each (0,0-1024,768 and
# 1024,0-2048,768): a nested Xephyr with Xinerama runs on the session's Xvfb, on a display number
# 100 above the Xvfb's, and DISPLAY points at it; the prefix's X11 driver is told to leave XRandR
# (through which Wine sees only the first head there) and read the heads from Xinerama.
# Screenshots then grab the Xephyr root, both monitors. Unset (or 1), the session is one Xvfb
# screen as before.
# Only processes started here are stopped (Xvfb by PID, this prefix's wineserver), so several
# suites and other users of the machine can run side by side.

E2E_XVFB_PID=""
E2E_XEPHYR_PID=""
E2E_SESSION_ACTIVE=0

e2e_log() { echo "[e2e $(date +%H:%M:%S)] $*" >&2; }

# Polls a command until it succeeds or the deadline passes; on failure prints the last output.
wait_until() {
  local seconds=$1; shift
  local deadline
  deadline=$(awk -v now="$(date +%s%N)" -v s="$seconds" 'BEGIN { printf "%.0f", now + s * 1e9 }')
  local seen=""
  while :; do
    if seen=$("$@" 2>&1); then
      return 0
    fi
    if (( $(date +%s%N) >= deadline )); then
      echo "wait_until: gave up after ${seconds}s waiting for: $*" >&2
      echo "wait_until: last output: ${seen:-<none>}" >&2
      return 1
    fi
    sleep 0.2
  done
}

e2e_display_free() {
  local n=$1
  [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]
}

e2e_display_answers() {
  xdpyinfo -display "$1" >/dev/null 2>&1
}

e2e_xvfb_alive() {
  [[ -n $E2E_XVFB_PID ]] && kill -0 "$E2E_XVFB_PID" 2>/dev/null
}

e2e_xephyr_alive() {
  [[ -n $E2E_XEPHYR_PID ]] && kill -0 "$E2E_XEPHYR_PID" 2>/dev/null
}

# The two-monitor display, nested in the Xvfb that DISPLAY names, on the first free number from
# 100 above it (out of the range the Xvfbs take, so that it never takes another run's chosen
# E2E_DISPLAY); DISPLAY then names the nested one. An -origin places the screens after it (given
# first, it would shift both heads); without one Xephyr also puts them side by side, but the
# second head's place is spelt out.
e2e_start_xephyr() {
  local host=$DISPLAY
  if e2e_start_x_server $(( ${DISPLAY#:} + 100 )) $(( ${DISPLAY#:} + 119 )) "$E2E_TMP/xephyr.log" \
    env DISPLAY="$host" Xephyr ':{}' +xinerama -screen 1024x768 -origin 1024,0 -screen 1024x768 -nolisten tcp -noreset
  then
    E2E_XEPHYR_PID=$E2E_STARTED_PID
    return 0
  fi
  echo "wine_session: no usable nested display (last Xephyr log: $(tail -n 3 "$E2E_TMP/xephyr.log" 2>/dev/null))" >&2
  return 1
}

# The heads X reports, "0,0 1024x768; 1024,0 1024x768", for the log.
e2e_xinerama_heads() {
  xdpyinfo -display "$DISPLAY" -ext XINERAMA 2>/dev/null |
    sed -nE 's/^ *head #[0-9]+: ([0-9]+x[0-9]+) @ ([0-9]+,[0-9]+)$/\2 \1/p' | paste -sd ';' | sed 's/;/; /g'
}

# Starts an X server on the first free display number from <first> to <last> and waits until it
# answers: e2e_start_x_server <first> <last> <log> <command...>, where ":{}" in the command stands
# for the display. Two sessions may pick the same free number at the same moment; the loser's
# server exits at once (lock held), and it moves on. Sets E2E_STARTED_PID and DISPLAY.
e2e_start_x_server() {
  local first=$1 last=$2 log=$3 n pid deadline
  shift 3
  for (( n = first; n <= last; n++ )); do
    e2e_display_free "$n" || continue
    "${@//:\{\}/:$n}" >"$log" 2>&1 &
    pid=$!
    deadline=$(( $(date +%s) + 15 ))
    while (( $(date +%s) < deadline )) && kill -0 "$pid" 2>/dev/null; do
      if e2e_display_answers ":$n"; then
        E2E_STARTED_PID=$pid
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.2
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  return 1
}

# Tries display numbers upwards from 90 (or only E2E_DISPLAY).
e2e_start_xvfb() {
  local first=90 last=189
  if [[ -n ${E2E_DISPLAY:-} ]]; then
    first=${E2E_DISPLAY#:}
    last=$first
  fi
  if e2e_start_x_server "$first" "$last" "$E2E_TMP/xvfb.log" \
    Xvfb ':{}' -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp -noreset
  then
    E2E_XVFB_PID=$E2E_STARTED_PID
    return 0
  fi
  echo "wine_session: no usable X display (last Xvfb log: $(tail -n 3 "$E2E_TMP/xvfb.log" 2>/dev/null))" >&2
  return 1
}

wine_session_start() {
  local name=${1:?wine_session_start needs a name}
  if (( E2E_SESSION_ACTIVE )); then
    echo "wine_session: a session is already running" >&2
    return 1
  fi
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-e2e-$name.XXXXXX") || return 1
  export E2E_TMP
  E2E_SESSION_ACTIVE=1
  trap 'wine_session_stop' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM

  export WINEPREFIX="$E2E_TMP/prefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs: nothing under test needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  mkdir -p "$WINEPREFIX"

  e2e_start_xvfb || return 1
  if [[ ${E2E_MONITORS:-1} == 2 ]]; then
    e2e_start_xephyr || return 1
    e2e_log "session $name: two monitors on display $DISPLAY ($(e2e_xinerama_heads))"
  elif [[ ${E2E_MONITORS:-1} != 1 ]]; then
    echo "wine_session: E2E_MONITORS=${E2E_MONITORS} (only 1 or 2)" >&2
    return 1
  fi
  e2e_log "session $name: display $DISPLAY, prefix $WINEPREFIX"

  local started=$(date +%s)
  if ! wineboot -i >"$E2E_TMP/wineboot.log" 2>&1; then
    echo "wine_session: wineboot failed: $(tail -n 5 "$E2E_TMP/wineboot.log")" >&2
    return 1
  fi
  # wineboot returns before the prefix is fully written; the server exits once it is idle.
  timeout 120 wineserver -w
  if [[ -n $E2E_XEPHYR_PID ]]; then
    # Read by the X11 driver as each program starts; wineboot's own start still used XRandR, and
    # its server is gone once the prefix is written.
    if ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f \
      >"$E2E_TMP/xrandr-off.log" 2>&1; then
      echo "wine_session: could not turn XRandR off: $(tail -n 3 "$E2E_TMP/xrandr-off.log")" >&2
      return 1
    fi
    timeout 60 wineserver -w
  fi
  e2e_log "session $name: prefix ready in $(( $(date +%s) - started )) s"
}

wine_session_screenshot() {
  local png=${1:?wine_session_screenshot needs a file name}
  mkdir -p "$(dirname "$png")"
  import -display "$DISPLAY" -window root "$png"
}

wine_session_stop() {
  (( E2E_SESSION_ACTIVE )) || return 0
  E2E_SESSION_ACTIVE=0
  if [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]]; then
    WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
    WINEPREFIX="$WINEPREFIX" timeout 20 wineserver -w 2>/dev/null
  fi
  # The nested display first: it is a client of the Xvfb.
  if e2e_xephyr_alive; then
    kill "$E2E_XEPHYR_PID" 2>/dev/null
    wait "$E2E_XEPHYR_PID" 2>/dev/null
  fi
  E2E_XEPHYR_PID=""
  if e2e_xvfb_alive; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  E2E_XVFB_PID=""
  if [[ ${E2E_KEEP:-0} == 1 ]]; then
    e2e_log "kept $E2E_TMP"
  elif [[ -n ${E2E_TMP:-} && -d $E2E_TMP ]]; then
    rm -rf "$E2E_TMP"
  fi
  return 0
}
