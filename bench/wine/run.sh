#!/usr/bin/env bash
# Figures of the real bar under Wine: the idle CPU cost of tolvix.exe against a bare window
# running the same three timers, side by side for 30 s, and the free-up's throughput against a
# plain memset. Usage: bench/wine/run.sh <windows-build-dir> [seconds]
set -u
build_dir=$(cd "${1:?usage: $0 <windows-build-dir> [seconds]}" && pwd)
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/e2e/lib/wine_session.sh"

find_built() { find "$build_dir" -name "$1" -type f -not -path '*/CMakeFiles/*' | head -n 1; }
tolvix=$(find_built tolvix.exe)
baseline=$(find_built idle_baseline.exe)
throughput=$(find_built freeup_throughput.exe)
[[ -n $tolvix && -n $baseline && -n $throughput ]] || { echo "build the Windows tree first" >&2; exit 1; }

wine_session_start bench || exit 1
wine "$throughput" 256 2>/dev/null | tr -d '\r'

# CPU ticks (user + system) of the Linux process running a Windows program.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
program_pid() { pgrep -n -f "$1" ; }

wine "$tolvix" >/dev/null 2>&1 &
wine "$baseline" >/dev/null 2>&1 &
wait_until 30 program_pid 'tolvix\.exe' >/dev/null && wait_until 30 program_pid 'idle_baseline\.exe' >/dev/null || {
  echo "the programs did not start" >&2; exit 1; }
sleep 5 # past start-up work: the first refresh ticks and the splash
bar_pid=$(program_pid 'tolvix\.exe')
base_pid=$(program_pid 'idle_baseline\.exe')
bar_start=$(cpu_ticks "$bar_pid")
base_start=$(cpu_ticks "$base_pid")
sleep "$seconds"
bar_used=$(( $(cpu_ticks "$bar_pid") - bar_start ))
base_used=$(( $(cpu_ticks "$base_pid") - base_start ))
hz=$(getconf CLK_TCK)
awk -v b="$bar_used" -v o="$base_used" -v hz="$hz" -v s="$seconds" 'BEGIN {
  printf "idle %d s: bar %.2f s CPU (%.2f%% of a core), bare window %.2f s CPU (%.2f%%), ratio %.2f\n",
    s, b / hz, 100 * b / hz / s, o / hz, 100 * o / hz / s, (o > 0 ? b / o : 0) }'
wine_session_stop
