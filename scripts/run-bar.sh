#!/usr/bin/env bash
# Builds tolvix.exe and runs it under Wine: on the current X display when there is one,
# otherwise on a virtual display, where it saves a screenshot of the running bar and stops.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build/win-x86_64"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target tolvix
exe="$build/bar/tolvix.exe"
export WINEDEBUG=-all

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  echo "running $exe on $DISPLAY (close it from its quit menu)"
  exec wine "$exe"
fi

# No display: a private virtual one, a screenshot once the bar is up, then everything stops.
source "$root/tests/e2e/lib/wine_session.sh"
wine_session_start run-bar
# A running application first, so that the picture shows a task button too.
wine notepad >/dev/null 2>&1 &
wait_until 60 bash -c 'xdotool search --name "Notepad" | grep -q .'
wine "$exe" >/dev/null 2>&1 &
bar_pid=$!
wait_until 60 bash -c 'xdotool search --name "^Tolvane$" | grep -q .'
sleep 3 # let the first refresh paint the task buttons before the picture is taken
shot="$root/build/tolvix-screenshot.png"
wine_session_screenshot "$shot"
echo "screenshot of the running bar: $shot"
kill "$bar_pid" 2>/dev/null || true
wine_session_stop
