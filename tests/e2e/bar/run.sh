#!/usr/bin/env bash
# End-to-end suite of the bar: runs bar_probe.exe against the real tolvix.exe under Wine on a
# private Xvfb display. Screenshots go to <build-dir>/e2e-artifacts/bar/.
# Log off ends the Wine session it runs in, so its case runs last, in a session of its own
# (closing line "e2e bar-logoff: ...", artifacts in e2e-artifacts/bar-logoff/); the last line
# then sums both sessions as "e2e bar: ...".
# Usage: tests/e2e/bar/run.sh <windows-build-dir>
#   TOLVIX_EXE=<path>    another tolvix.exe than the built one
#   E2E_BAR_ONLY=live    only the cases of the refresh tick, task actions, task manager, settings,
#                        logo files, menus, run box and log off; E2E_BAR_ONLY=layout only the others
#   E2E_BAR_GROUPS=a,b   only these groups of the live cases (see bar_probe.cpp; "logoff" is the
#                        second session)
set -u
source "$(dirname "$0")/../lib/suite.sh"

# The infrared cases' real lircd, outside Wine, on a free loopback port (kept across a restart),
# asked for by the probe through host requests:
#   "lircd start"  starts it (the port it listens on is the answer), "lircd stop" stops it,
#   "irsend <code> <repeat> <button> <remote>"  simulates a press (the answer is irsend's status).
lircd_dir() { echo "$E2E_TMP/lircd"; }
lircd_port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
e2e_host_request() {
  local dir port pid
  dir=$(lircd_dir)
  case $1 in
  "lircd start")
    mkdir -p "$dir"
    port=$(cat "$dir/port" 2>/dev/null)
    if [[ -z $port ]]; then
      for port in $(shuf -i 20000-40000 -n 20); do lircd_port_free "$port" && break; done
      echo "$port" >"$dir/port"
    fi
    : >"$dir/lircd.conf"
    printf '[lircd]\nnodaemon = True\n' >"$dir/lirc_options.conf"
    lircd -O "$dir/lirc_options.conf" -n -H file -d /dev/null --allow-simulate --listen="127.0.0.1:$port" \
      -o "$dir/socket" -P "$dir/lircd.pid" -L "$dir/lircd.log" "$dir/lircd.conf" >/dev/null 2>&1 &
    echo $! >"$dir/pid"
    wait_until 10 bash -c "test -S '$dir/socket' && (exec 3<>/dev/tcp/127.0.0.1/$port)" && echo "$port"
    ;;
  "lircd stop")
    pid=$(cat "$dir/pid" 2>/dev/null) && kill "$pid" 2>/dev/null
    [[ -n ${pid:-} ]] && wait_until 10 bash -c "! kill -0 $pid 2>/dev/null"
    rm -f "$dir/pid" "$dir/socket"
    echo stopped
    ;;
  irsend\ *)
    irsend -d "$dir/socket" SIMULATE "${1#irsend }" && echo sent
    ;;
  *) echo "unknown request: $1" ;;
  esac
}
e2e_host_cleanup() {
  local pid
  pid=$(cat "$(lircd_dir)/pid" 2>/dev/null) && kill "$pid" 2>/dev/null
  rm -f "$(lircd_dir)/pid"
}

# One Wine session: <suite name> <timeout-s> [probe options...]
bar_session() {
  local suite=$1 timeout_s=$2
  shift 2
  e2e_suite_setup "$suite" "$build_dir"
  local tolvix probe
  tolvix=${TOLVIX_EXE:-$(e2e_find_built tolvix.exe)}
  probe=$(e2e_find_built bar_probe.exe)
  if [[ -z $tolvix || -z $probe ]]; then
    echo "FAIL build_products: tolvix.exe '${tolvix}' bar_probe.exe '${probe}' not found under $E2E_BUILD"
    e2e_closing 0 1
    exit 1
  fi
  e2e_run_suite "$timeout_s" \
    wine "$probe" "$(e2e_winpath "$tolvix")" --artifacts "$(e2e_winpath "$E2E_ARTIFACTS")" "$@"
}

build_dir=${1:-}
if [[ $# -ne 1 || ! -d $build_dir ]]; then
  e2e_suite_setup bar "$@" # prints the usage and the failing closing line
fi
groups=",${E2E_BAR_GROUPS:-},"
main=1 logoff=0
[[ $groups == ",logoff," ]] && main=0
[[ ${E2E_BAR_ONLY:-} != layout && ($groups == ",," || $groups == *,logoff,*) ]] && logoff=1
if (( !logoff )); then
  bar_session bar "${E2E_BAR_TIMEOUT:-420}"
fi
if (( !main )); then
  bar_session bar-logoff 120 --logoff
fi

# Both sessions, each in a subshell of its own (a session's runner exits when it is done).
lines=$(mktemp)
trap 'rm -f "$lines"' EXIT
( bar_session bar "${E2E_BAR_TIMEOUT:-420}" ) | tee -a "$lines"
main_rc=${PIPESTATUS[0]}
( bar_session bar-logoff 120 --logoff ) | tee -a "$lines"
logoff_rc=${PIPESTATUS[0]}
passed=0 failed=0
while read -r p f; do
  passed=$(( passed + p ))
  failed=$(( failed + f ))
done < <(sed -nE 's/^e2e bar(-logoff)?: ([0-9]+) passed, ([0-9]+) failed$/\2 \3/p' "$lines")
(( main_rc == 0 && logoff_rc == 0 )) || (( failed > 0 )) || failed=1
echo "e2e bar: $passed passed, $failed failed"
(( main_rc == 0 && logoff_rc == 0 && failed == 0 ))
