#!/usr/bin/env bash
# Runs the Windows platform self-test under Wine on a private X display and Wine prefix.
# Usage: platform/win32/tests/run.sh <windows-build-dir>
set -u
if [[ $# -ne 1 || ! -d $1 ]]; then
  echo "usage: $0 <windows-build-dir>" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
selftest="$build_dir/platform/win32/tolvane_platform_win32_selftest.exe"
if [[ ! -f $selftest ]]; then
  echo "e2e platform: missing $selftest" >&2
  echo "e2e platform: 0 passed, 1 failed"
  exit 1
fi

# shellcheck source=../../../tests/e2e/lib/wine_session.sh
source "$here/../../../tests/e2e/lib/wine_session.sh"
wine_session_start platform || { echo "e2e platform: 0 passed, 1 failed"; exit 1; }

# The program writes Windows line ends; the runner's summary expects plain ones.
timeout 300 wine "$selftest" | tr -d '\r'
rc=${PIPESTATUS[0]}
exit $rc
