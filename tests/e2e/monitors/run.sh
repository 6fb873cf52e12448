#!/usr/bin/env bash
# End-to-end suite of the bar on two monitors: runs monitors_probe.exe against the real tolvix.exe
# under Wine on the runner's two-monitor display (E2E_MONITORS=2: two 1024x768 heads side by side,
# 0,0-1024,768 primary and 1024,0-2048,768). First the display check (Win32 sees the two monitors),
# then docking on the second monitor, the remembered monitor, task buttons by monitor, full-screen
# windows and display changes. Screenshots (both monitors) go to <build-dir>/e2e-artifacts/monitors/.
# Usage: tests/e2e/monitors/run.sh <windows-build-dir>
#   TOLVIX_EXE=<path>             another tolvix.exe than the built one
#   E2E_MONITORS_GROUPS=a,b       only these groups: display, docking, remember, tasks, fullscreen,
#                                 displaychange; "display" alone runs just the display check, no bar
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
e2e_suite_setup monitors "$@"
export E2E_MONITORS=2
export E2E_MONITORS_GROUPS=${E2E_MONITORS_GROUPS:-}

TOLVIX=${TOLVIX_EXE:-$(e2e_find_built tolvix.exe)}
PROBE=$(e2e_find_built monitors_probe.exe)
if [[ -z $PROBE || ( -z $TOLVIX && $E2E_MONITORS_GROUPS != display ) ]]; then
  echo "FAIL build_products: tolvix.exe '${TOLVIX}' monitors_probe.exe '${PROBE}' not found under $E2E_BUILD"
  e2e_closing 0 1
  exit 1
fi
e2e_run_suite "${E2E_MONITORS_TIMEOUT:-400}" \
  wine "$PROBE" ${TOLVIX:+"$(e2e_winpath "$TOLVIX")"} --artifacts "$(e2e_winpath "$E2E_ARTIFACTS")"
