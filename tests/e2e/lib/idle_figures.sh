# Idle figures of Windows programs under Wine, read from the Linux processes that run them.
# Source after wine_session.sh, inside a session:
#   session_program_pid <exe file name>  the process of this session's prefix running that program
#   resident_kib <pid>                   resident memory (VmRSS) in KiB
#   cpu_ticks <pid>                      CPU used so far (user + system), in clock ticks
#   shows_one_window <pid>               succeeds while exactly one window of it is on screen (the
#                                        bar's start-up splash has gone)
#   wait_resident_settled <seconds> <pid...>
#                                        polls once a second until each process's resident memory
#                                        stayed within 1% over the last five readings; fails at
#                                        the deadline
# The same prefix and display for both programs measured side by side keeps their conditions
# the same; other sessions' copies of a program are told apart by their WINEPREFIX.

session_program_pid() {
  local name=$1 pid
  for pid in $(pgrep -f -- "${name//./\\.}"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

shows_one_window() { [[ $(xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l) -eq 1 ]]; }

# Five readings a second apart per process, the newest last, kept in one line of the table.
wait_resident_settled() {
  local seconds=$1; shift
  local deadline=$(( $(date +%s) + seconds ))
  local -A history=()
  local pid settled reading
  while :; do
    settled=1
    for pid in "$@"; do
      reading=$(resident_kib "$pid") || { echo "process $pid is gone" >&2; return 1; }
      history[$pid]="$(echo "${history[$pid]:-} $reading" | awk '{ for (i = (NF > 5 ? NF - 4 : 1); i <= NF; i++) printf "%s ", $i }')"
      awk '{ if (NF < 5) exit 1; lo = hi = $1; for (i = 2; i <= NF; i++) { if ($i < lo) lo = $i; if ($i > hi) hi = $i }
             exit (hi - lo <= hi / 100) ? 0 : 1 }' <<<"${history[$pid]}" || settled=0
    done
    (( settled )) && return 0
    if (( $(date +%s) >= deadline )); then
      for pid in "$@"; do echo "resident KiB of $pid, last readings: ${history[$pid]}" >&2; done
      return 1
    fi
    sleep 1
  done
}
