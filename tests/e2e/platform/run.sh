#!/usr/bin/env bash
# The Windows platform self-test under Wine.
# Usage: tests/e2e/platform/run.sh <windows-build-dir>
set -u
source "$(dirname "$0")/../lib/suite.sh"
e2e_suite_setup platform "$@"

selftest="$E2E_BUILD/platform/win32/tolvane_platform_win32_selftest.exe"
if [[ ! -f $selftest ]]; then
  echo "FAIL build_products: missing $selftest"
  e2e_closing 0 1
  exit 1
fi
e2e_run_suite 300 wine "$selftest"
