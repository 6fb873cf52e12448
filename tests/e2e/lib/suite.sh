# The one runner of the end-to-end suites. A suite's run.sh sources this file, then:
#   e2e_suite_setup <suite> "$@"     checks the <windows-build-dir> argument; sets E2E_SUITE,
#                                    E2E_BUILD and E2E_ARTIFACTS (<build>/e2e-artifacts/<suite>, emptied)
#   e2e_find_built <file name>       newest such file under E2E_BUILD (not in CMakeFiles)
#   e2e_winpath <unix path>          the same path as Wine's Z: drive sees it
#   e2e_run_suite <timeout-s> <command...>
#                                    starts the Wine session, runs the command (a wine program or a
#                                    shell function) showing its lines as they come, answers its
#                                    screenshot requests, stops the session and prints the closing
#                                    line "e2e <suite>: N passed, M failed"; exits 0 only when clean.
# Screenshot handshake: the command creates "<E2E_ARTIFACTS>/<name>.ready"; the runner writes
# "<name>.png" and then "<name>.done". Any "<name>.bmp" left in E2E_ARTIFACTS becomes a PNG.
# Host requests, for peers that run outside Wine: the command writes one line into
# "<name>.host"; the runner hands it to the suite's function e2e_host_request (when the suite
# defines one) and writes what it printed to "<name>.answer". A suite's e2e_host_cleanup, when
# defined, runs once the command has ended.
# shellcheck source=wine_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"

e2e_closing() { echo "e2e $E2E_SUITE: $1 passed, $2 failed"; }

# For suites whose checks are shell commands: a tally, one line per check, and the closing line.
PASSED=0
FAILED=0
pass() { PASSED=$((PASSED + 1)); echo "PASS $*"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL $*"; }
check() { # check <name> <command...>: passes when the command succeeds
  local name=$1; shift
  local out
  if out=$("$@" 2>&1); then pass "$name"; else fail "$name: $(echo "$out" | tail -n 3 | tr '\n' ' ')"; fi
}
finish() {
  e2e_closing "$PASSED" "$FAILED"
  [[ $FAILED -eq 0 ]]
}

e2e_suite_setup() {
  E2E_SUITE=$1
  shift
  if [[ $# -ne 1 || ! -d $1 ]]; then
    echo "usage: run.sh <windows-build-dir>" >&2
    e2e_closing 0 1
    exit 2
  fi
  E2E_BUILD=$(cd "$1" && pwd)
  E2E_ARTIFACTS="$E2E_BUILD/e2e-artifacts/$E2E_SUITE"
  rm -rf "$E2E_ARTIFACTS"
  mkdir -p "$E2E_ARTIFACTS"
  export E2E_SUITE E2E_BUILD E2E_ARTIFACTS
}

e2e_find_built() {
  find "$E2E_BUILD" -name "$1" -type f -not -path '*/CMakeFiles/*' -printf '%T@ %p\n' |
    sort -nr | head -n 1 | cut -d' ' -f2-
}

e2e_winpath() { echo "Z:${1//\//\\}"; }

# Prints the log lines not shown yet, all but the closing line (printed last by the runner).
e2e_show_new_lines() {
  local total
  total=$(wc -l <"$E2E_LOG")
  if (( total > E2E_PRINTED )); then
    sed -n "$((E2E_PRINTED + 1)),${total}p" "$E2E_LOG" | tr -d '\r' | grep -v "^e2e $E2E_SUITE: "
    E2E_PRINTED=$total
  fi
}

e2e_answer_screenshots() {
  local ready name
  for ready in "$E2E_ARTIFACTS"/*.ready; do
    [[ -e $ready ]] || continue
    name=$(basename "$ready" .ready)
    wine_session_screenshot "$E2E_ARTIFACTS/$name.png"
    echo "     screenshot $E2E_ARTIFACTS/$name.png"
    : >"$E2E_ARTIFACTS/$name.done"
  done
}

e2e_answer_host_requests() {
  declare -F e2e_host_request >/dev/null || return 0
  local request name
  for request in "$E2E_ARTIFACTS"/*.host; do
    [[ -e $request ]] || continue
    name=${request%.host}
    e2e_host_request "$(head -n 1 "$request" | tr -d '\r')" >"$name.answer.tmp" 2>&1
    rm -f "$request"
    mv "$name.answer.tmp" "$name.answer"
  done
}

e2e_run_suite() {
  local timeout_s=$1
  shift
  local started
  started=$(date +%s)
  if ! wine_session_start "$E2E_SUITE"; then
    echo "FAIL wine_session: could not start Xvfb and a Wine prefix"
    e2e_closing 0 1
    exit 1
  fi
  E2E_LOG="$E2E_ARTIFACTS/run.log"
  E2E_PRINTED=0
  : >"$E2E_LOG"
  "$@" >"$E2E_LOG" 2>"$E2E_TMP/command.err" &
  local pid=$! timed_out=0
  local deadline=$(( started + timeout_s ))
  while kill -0 "$pid" 2>/dev/null; do
    e2e_answer_screenshots
    e2e_answer_host_requests
    e2e_show_new_lines
    if (( $(date +%s) > deadline )); then
      timed_out=1
      wine_session_screenshot "$E2E_ARTIFACTS/timeout.png"
      kill "$pid" 2>/dev/null
      break
    fi
    sleep 0.2
  done
  wait "$pid"
  local rc=$?
  declare -F e2e_host_cleanup >/dev/null && e2e_host_cleanup
  e2e_show_new_lines
  rm -f "$E2E_ARTIFACTS"/*.ready "$E2E_ARTIFACTS"/*.done
  local bmp
  for bmp in "$E2E_ARTIFACTS"/*.bmp; do
    [[ -e $bmp ]] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "     image ${bmp%.bmp}.png"
  done
  if [[ -s $E2E_TMP/command.err ]]; then
    echo "     stderr (last lines): $(tail -n 5 "$E2E_TMP/command.err" | tr '\r\n' '  ')"
  fi
  wine_session_stop
  echo "     artifacts in $E2E_ARTIFACTS; suite took $(( $(date +%s) - started )) s"

  local closing passed failed
  closing=$(tr -d '\r' <"$E2E_LOG" | grep -E "^e2e $E2E_SUITE: [0-9]+ passed, [0-9]+ failed$" | tail -n 1)
  if [[ -n $closing && $timed_out -eq 0 ]]; then
    if [[ $rc -eq 0 || ! $closing =~ ' 0 failed'$ ]]; then
      echo "$closing"
      [[ $rc -eq 0 ]]
      exit $?
    fi
    echo "FAIL command_exit_code: closing line '$closing' but exit code $rc"
  else
    echo "FAIL command_finished: the command $( ((timed_out)) && echo "timed out after ${timeout_s} s" ||
      echo "ended with exit code $rc") before its closing line"
  fi
  passed=$(tr -d '\r' <"$E2E_LOG" | grep -c '^PASS ')
  failed=$(tr -d '\r' <"$E2E_LOG" | grep -c '^FAIL ')
  e2e_closing "$passed" $(( failed + 1 ))
  exit 1
}
