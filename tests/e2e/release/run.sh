#!/usr/bin/env bash
# The release zip (scripts/make-release.sh) as a Windows user gets it: exactly the five files,
# version blocks and DPI manifests in both executables, and, unpacked into a fresh Wine prefix,
# the bar shows its window and regsvr32 registers the control.
# Usage: tests/e2e/release/run.sh <windows-build-dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
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
  if wait_until 60 bar_window_shown; then
    pass "tolvix.exe from the zip shows the bar window"
    wine_session_screenshot "$E2E_ARTIFACTS/release-bar.png"
  else
    fail "tolvix.exe from the zip shows the bar window: no visible X window named Tolvane after 60 s"
  fi
  check "regsvr32 registers dralith.dll from the zip" wine regsvr32 /s dralith.dll
  check "the control's ProgID names its class after registering" clsid_registered
  kill "$bar" 2>/dev/null
  finish
}

e2e_run_suite 240 release_checks
