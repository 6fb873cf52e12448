#!/usr/bin/env bash
# Figures of the real bar under Wine: the idle cost of tolvix.exe against a bare window running
# the same three timers, side by side in one session (resident memory once both have settled,
# then CPU over 30 s), and the free-up's throughput against a plain memset.
# Usage: bench/wine/run.sh <windows-build-dir> [seconds]
set -u
build_dir=$(cd "${1:?usage: $0 <windows-build-dir> [seconds]}" && pwd)
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/e2e/lib/wine_session.sh"
source "$here/../../tests/e2e/lib/idle_figures.sh"

find_built() { find "$build_dir" -name "$1" -type f -not -path '*/CMakeFiles/*' | head -n 1; }
tolvix=$(find_built tolvix.exe)
baseline=$(find_built idle_baseline.exe)
throughput=$(find_built freeup_throughput.exe)
[[ -n $tolvix && -n $baseline && -n $throughput ]] || { echo "build the Windows tree first" >&2; exit 1; }

wine_session_start bench || exit 1
wine "$throughput" 256 2>/dev/null | tr -d '\r'

wine "$tolvix" >/dev/null 2>&1 &
wine "$baseline" >/dev/null 2>&1 &
wait_until 30 session_program_pid tolvix.exe >/dev/null && wait_until 30 session_program_pid idle_baseline.exe >/dev/null || {
  echo "the programs did not start" >&2; exit 1; }
bar_pid=$(session_program_pid tolvix.exe)
base_pid=$(session_program_pid idle_baseline.exe)
# Past start-up work: the splash has gone and then the memory stays put.
wait_until 30 shows_one_window "$bar_pid" && wait_resident_settled 90 "$bar_pid" "$base_pid" || { echo "the programs' memory did not settle" >&2; exit 1; }
bar_kib=$(resident_kib "$bar_pid")
base_kib=$(resident_kib "$base_pid")
awk -v b="$bar_kib" -v o="$base_kib" 'BEGIN {
  printf "idle memory: bar %.1f MiB resident, bare window %.1f MiB, ratio %.2f\n", b / 1024, o / 1024, b / o }'

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
