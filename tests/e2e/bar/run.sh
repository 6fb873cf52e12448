#!/usr/bin/env bash
# End-to-end suite of the bar: runs bar_probe.exe against the real tolvix.exe under Wine on a
# private Xvfb display. Screenshots go to <build-dir>/e2e-artifacts/bar/.
# Usage: tests/e2e/bar/run.sh <windows-build-dir>
#   TOLVIX_EXE=<path>    another tolvix.exe than the built one
#   E2E_BAR_ONLY=live    only the cases of the refresh tick, task actions, task manager, settings
#                        and logo files; E2E_BAR_ONLY=layout only the others
#   E2E_BAR_GROUPS=a,b   only these groups of the live cases (see bar_probe.cpp)
set -u
source "$(dirname "$0")/../lib/suite.sh"
e2e_suite_setup bar "$@"

tolvix=${TOLVIX_EXE:-$(e2e_find_built tolvix.exe)}
probe=$(e2e_find_built bar_probe.exe)
if [[ -z $tolvix || -z $probe ]]; then
  echo "FAIL build_products: tolvix.exe '${tolvix}' bar_probe.exe '${probe}' not found under $E2E_BUILD"
  e2e_closing 0 1
  exit 1
fi
e2e_run_suite "${E2E_BAR_TIMEOUT:-420}" \
  wine "$probe" "$(e2e_winpath "$tolvix")" --artifacts "$(e2e_winpath "$E2E_ARTIFACTS")"
