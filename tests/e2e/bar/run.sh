#!/usr/bin/env bash
# End-to-end suite of the bar: runs bar_probe.exe against the real tolvix.exe under Wine on a
# private Xvfb display. Screenshots go to <build-dir>/e2e-artifacts/bar/.
# Usage: tests/e2e/bar/run.sh <windows-build-dir>
set -u
suite=bar
if [[ $# -ne 1 || ! -d $1 ]]; then
  echo "usage: $0 <windows-build-dir>" >&2
  echo "e2e $suite: 0 passed, 1 failed"
  exit 2
fi
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/wine_session.sh"

find_built() {
  local name=$1
  find "$build_dir" -name "$name" -type f -not -path '*/CMakeFiles/*' | head -n 1
}
to_windows_path() {
  local p=${1//\//\\}
  echo "Z:$p"
}

tolvix=${TOLVIX_EXE:-$(find_built tolvix.exe)}
probe=$(find_built bar_probe.exe)
if [[ -z $tolvix || -z $probe ]]; then
  echo "FAIL build_products: tolvix.exe '${tolvix}' bar_probe.exe '${probe}' not found under $build_dir"
  echo "e2e $suite: 0 passed, 1 failed"
  exit 1
fi

artifacts="$build_dir/e2e-artifacts/$suite"
rm -rf "$artifacts"
mkdir -p "$artifacts"

started=$(date +%s)
if ! wine_session_start "$suite"; then
  echo "FAIL wine_session: could not start Xvfb and a Wine prefix"
  echo "e2e $suite: 0 passed, 1 failed"
  exit 1
fi

log="$artifacts/probe.log"
: >"$log"
wine "$probe" "$(to_windows_path "$tolvix")" --artifacts "$(to_windows_path "$artifacts")" >"$log" 2>"$E2E_TMP/probe.err" &
probe_pid=$!

# While the probe runs: show its lines as they come (all but the closing line, printed last),
# and take a screenshot whenever it asks for one ("<name>.ready" -> "<name>.png", "<name>.done").
printed=0
show_new_lines() {
  local total
  total=$(wc -l <"$log")
  if (( total > printed )); then
    sed -n "$((printed + 1)),${total}p" "$log" | tr -d '\r' | grep -v "^e2e $suite: "
    printed=$total
  fi
}
deadline=$(( $(date +%s) + ${E2E_BAR_TIMEOUT:-420} ))
timed_out=0
while kill -0 "$probe_pid" 2>/dev/null; do
  for ready in "$artifacts"/*.ready; do
    [[ -e $ready ]] || continue
    name=$(basename "$ready" .ready)
    wine_session_screenshot "$artifacts/$name.png"
    echo "     screenshot $artifacts/$name.png"
    : >"$artifacts/$name.done"
  done
  show_new_lines
  if (( $(date +%s) > deadline )); then
    timed_out=1
    wine_session_screenshot "$artifacts/timeout.png"
    kill "$probe_pid" 2>/dev/null
    break
  fi
  sleep 0.2
done
wait "$probe_pid"
probe_rc=$?
show_new_lines
rm -f "$artifacts"/*.ready "$artifacts"/*.done

for bmp in "$artifacts"/*.bmp; do
  [[ -e $bmp ]] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && echo "     image ${bmp%.bmp}.png"
done
if [[ -s $E2E_TMP/probe.err ]]; then
  echo "     probe stderr (last lines): $(tail -n 5 "$E2E_TMP/probe.err" | tr '\r\n' '  ')"
fi
wine_session_stop
echo "     artifacts in $artifacts; suite took $(( $(date +%s) - started )) s"

closing=$(tr -d '\r' <"$log" | grep -E "^e2e $suite: [0-9]+ passed, [0-9]+ failed$" | tail -n 1)
if [[ -z $closing || $timed_out -eq 1 ]]; then
  passed=$(tr -d '\r' <"$log" | grep -c '^PASS ')
  failed=$(tr -d '\r' <"$log" | grep -c '^FAIL ')
  echo "FAIL probe_finished: the probe $( ((timed_out)) && echo "timed out" || echo "ended with exit code $probe_rc") before its closing line"
  echo "e2e $suite: $passed passed, $((failed + 1)) failed"
  exit 1
fi
echo "$closing"
[[ $probe_rc -eq 0 ]]
