#!/usr/bin/env bash
# The bar as a screen reader reads it: access_probe.exe starts two windows of the peer program
# and the bar, then reads every child window of the bar from its own process through Active
# Accessibility (name, role, state, description, default action), presses a task button with
# accDoDefaultAction, hears the task counter announce its new text through a WinEvent hook, and
# reads the task manager's labels. The run log is in <build-dir>/e2e-artifacts/access/.
# Usage: tests/e2e/access/run.sh <windows-build-dir>
#   TOLVIX_EXE=<path>  another tolvix.exe than the built one
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
e2e_suite_setup access "$@"

TOLVIX=${TOLVIX_EXE:-$(e2e_find_built tolvix.exe)}
PROBE=$(e2e_find_built access_probe.exe)
PEER=$(e2e_find_built e2e_peer.exe)

access_checks() {
  if [[ -z $TOLVIX || -z $PROBE || -z $PEER ]]; then
    fail "build_products: tolvix.exe '$TOLVIX' access_probe.exe '$PROBE' e2e_peer.exe '$PEER' not found"
    finish
    return
  fi
  # The bar from a folder of its own, with the known-task file it ships with.
  local folder="$E2E_TMP/bar"
  mkdir -p "$folder"
  cp "$TOLVIX" "$folder/tolvix.exe"
  [[ -f $(dirname "$TOLVIX")/tolvix.TSK ]] && cp "$(dirname "$TOLVIX")/tolvix.TSK" "$folder/"
  wine "$PROBE" "$(e2e_winpath "$folder/tolvix.exe")" "$(e2e_winpath "$PEER")"
}

e2e_run_suite 240 access_checks
