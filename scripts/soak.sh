#!/usr/bin/env bash
# The bar under window churn under Wine, for minutes on end (not part of scripts/test-all.sh):
# 20 windows a second opened, renamed and closed by another program, the task menu and the task
# manager used every 30 s; every 10 s a line "SERIES t=.. private=..KB gdi=.. user=.. wmnull_max=..ms"
# of the bar's figures. Passes when they stay flat after the first minute, every WM_NULL is
# answered within 250 ms and no button is left for a closed window.
# Usage: scripts/soak.sh [minutes]   (default 10; builds the Windows x86_64 tree first)
# The log is kept in build/win-x86_64/e2e-artifacts/soak/run.log.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-10}
build="$root/build/win-x86_64"
"$root/scripts/install-deps.sh" || exit 1
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null || exit 1
cmake --build "$build" -j"${JOBS:-2}" --target tolvix soak_probe >/dev/null || exit 1
source "$root/tests/e2e/lib/suite.sh"
e2e_suite_setup soak "$build"
e2e_run_suite $(( minutes * 60 + 300 )) \
  wine "$(e2e_find_built soak_probe.exe)" "$(e2e_winpath "$(e2e_find_built tolvix.exe)")" "$minutes"
