#!/usr/bin/env bash
# Paint time of the memory viewer control's graph under Wine, former drawing against current,
# in one run, and whether the two pictures are the same.
# Usage: bench/wine/paint.sh <windows-build-dir> [paints]   (E2E_DISPLAY picks the X display)
set -u
build_dir=$(cd "${1:?usage: $0 <windows-build-dir> [paints]}" && pwd)
paints=${2:-200}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/e2e/lib/wine_session.sh"

bench=$(find "$build_dir" -name dralith_paint_bench.exe -type f -not -path '*/CMakeFiles/*' | head -n 1)
[[ -n $bench ]] || { echo "build the Windows tree first" >&2; exit 1; }

wine_session_start paint || exit 1
wine "$bench" "$paints" 2>/dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
wine_session_stop
exit "$status"
