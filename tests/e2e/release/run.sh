#!/usr/bin/env bash
# The release zip (scripts/make-release.sh) as a Windows user gets it: exactly the five files,
# version blocks and DPI manifests in both executables, and, unpacked into a fresh Wine prefix,
# the bar shows its window, idles in at most 1.2 times the resident memory of a bare window with
# the same three timers (bench/wine/idle_baseline.exe, started beside it), and regsvr32
# registers the control.
# Usage: tests/e2e/release/run.sh <windows-build-dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
# shellcheck source=../lib/idle_figures.sh
source "$HERE/../lib/idle_figures.sh"
e2e_suite_setup release "$@"


ZIP=$(find "$E2E_BUILD/release" -maxdepth 1 -name 'tolvane-*-win64.zip' -printf '%T@ %p\n' 2>/dev/null |
  sort -nr | head -n 1 | cut -d' ' -f2-)
if [[ -z $ZIP ]]; then
  fail "release zip: none under $E2E_BUILD/release (run scripts/make-release.sh $E2E_BUILD)"
  finish
  exit 1
fi

# A version block holds its keys and values as UTF-16 strings, each value right after its key.
version_value() { strings -el "$1" | grep -A1 -x "$2" | tail -n 1; }
has_version() { # <file> <product name>
  [[ $(version_value "$1" ProductName) == "$2" && -n $(version_value "$1" ProductVersion) ]] ||
    { echo "ProductName '$(version_value "$1" ProductName)' ProductVersion '$(version_value "$1" ProductVersion)'"; return 1; }
}
has_dpi_manifest() { grep -q 'PerMonitorV2, PerMonitor, System' "$1" && grep -q '>true/pm<' "$1"; }
bar_window_shown() { xdotool search --onlyvisible --name '^Tolvane$' | grep -q .; }
# Both programs measured once their memory has settled, in the same session and at the same time.
IDLE_MEMORY_LIMIT=1.2
idle_memory_check() {
  local name="the bar idles in at most $IDLE_MEMORY_LIMIT times a bare window's resident memory"
  local bar_pid base_pid
  if ! wait_until 30 session_program_pid tolvix.exe >/dev/null ||
    ! wait_until 30 session_program_pid idle_baseline.exe >/dev/null; then
    fail "$name: the bar's or the bare window's process is not there"
    return
  fi
  bar_pid=$(session_program_pid tolvix.exe)
  base_pid=$(session_program_pid idle_baseline.exe)
  if ! wait_until 30 shows_one_window "$bar_pid"; then
    fail "$name: the start-up splash is still on screen after 30 s"
    return
  fi
  if ! wait_resident_settled 90 "$bar_pid" "$base_pid" 2>"$E2E_TMP/settle.log"; then
    fail "$name: memory still moving after 90 s ($(tr '\n' ' ' <"$E2E_TMP/settle.log"))"
    return
  fi
  local bar_kib base_kib figures
  bar_kib=$(resident_kib "$bar_pid")
  base_kib=$(resident_kib "$base_pid")
  figures=$(awk -v b="$bar_kib" -v o="$base_kib" 'BEGIN { printf "bar %.1f MiB, bare window %.1f MiB, ratio %.2f", b / 1024, o / 1024, b / o }')
  if awk -v b="$bar_kib" -v o="$base_kib" -v limit="$IDLE_MEMORY_LIMIT" 'BEGIN { exit (o > 0 && b <= limit * o) ? 0 : 1 }'; then
    pass "$name: $figures"
  else
    fail "$name: $figures"
  fi
}
clsid_registered() {
  wine reg query 'HKCR\Pellgrove.DralithCTL\CLSID' 2>/dev/null | grep -qi '19D31A65-5125-49E0-A593-0A369990ED0F'
}

release_checks() {
  local unpacked="$E2E_TMP/unpacked"
  mkdir -p "$unpacked"
  local listing
  listing=$(unzip -Z1 "$ZIP" | sort | tr '\n' ' ')
  if [[ $listing == "LICENSE.txt README.txt dralith.dll tolvix.TSK tolvix.exe " ]]; then
    pass "zip holds exactly tolvix.exe, dralith.dll, tolvix.TSK, README.txt, LICENSE.txt"
  else
    fail "zip holds exactly the five release files: holds $listing"
  fi
  unzip -q "$ZIP" -d "$unpacked"
  check "README.txt tells how to start the bar, register the control and where the settings are" \
    bash -c "grep -q 'tolvix.exe' '$unpacked/README.txt' && grep -q 'regsvr32 dralith.dll' '$unpacked/README.txt' &&
             grep -q 'HKEY_CURRENT_USER.Software.Brenwick.Tolvix' '$unpacked/README.txt' && grep -q 'tolvix.TSK' '$unpacked/README.txt'"
  check "LICENSE.txt is the MIT licence" grep -q '^MIT License' "$unpacked/LICENSE.txt"
  check "tolvix.TSK is the shipped known-task file" cmp "$unpacked/tolvix.TSK" "$HERE/../../../progmenu/tolvix.TSK"
  check "tolvix.exe carries a version block (ProductName Tolvane)" has_version "$unpacked/tolvix.exe" Tolvane
  check "dralith.dll carries a version block (ProductName Pellgrove)" has_version "$unpacked/dralith.dll" Pellgrove
  check "tolvix.exe embeds a manifest declaring per-monitor, else system DPI awareness" has_dpi_manifest "$unpacked/tolvix.exe"
  check "dralith.dll embeds the same DPI declaration" has_dpi_manifest "$unpacked/dralith.dll"

  cd "$unpacked" || return 1
  wine tolvix.exe >/dev/null 2>&1 &
  local bar=$!
  local baseline
  baseline=$(e2e_find_built idle_baseline.exe)
  local bare=""
  if [[ -n $baseline ]]; then
    wine "$baseline" >/dev/null 2>&1 &
    bare=$!
  fi
  if wait_until 60 bar_window_shown; then
    pass "tolvix.exe from the zip shows the bar window"
    wine_session_screenshot "$E2E_ARTIFACTS/release-bar.png"
  else
    fail "tolvix.exe from the zip shows the bar window: no visible X window named Tolvane after 60 s"
  fi
  if [[ -n $bare ]]; then
    idle_memory_check
    kill "$bare" 2>/dev/null
  else
    fail "idle memory: no idle_baseline.exe under $E2E_BUILD (build the Windows tree)"
  fi
  check "regsvr32 registers dralith.dll from the zip" wine regsvr32 /s dralith.dll
  check "the control's ProgID names its class after registering" clsid_registered
  kill "$bar" 2>/dev/null
  finish
}

e2e_run_suite 240 release_checks
