#!/usr/bin/env bash
# The bar on high-DPI screens under Wine: with the prefix's LogPixels at 96, 144 and 192 the bar's
# size in pixels scales with the resolution (within 2 pixels per edge): its outer height and its
# client width, the two the bar sets (the frame between them is the platform's, 4 pixels per edge
# at 96 DPI and 5 at 192 under Wine 8, so the outer width is 6 pixels short at 192); every visible
# control, three task buttons among them, stays inside the bar; the panel's captions fit.
# A screenshot at each resolution: <build-dir>/e2e-artifacts/dpi/dpi-<n>.png.
# Usage: tests/e2e/dpi/run.sh <windows-build-dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
e2e_suite_setup dpi "$@"
# 1024 x 768 logical pixels even at 200 %: a 1024 x 768 screen at 192 DPI would cut the bar.
export E2E_SCREEN=2048x1536x24


TOLVIX=$(e2e_find_built tolvix.exe)
PROBE=$(e2e_find_built dpi_probe.exe)
PEER=$(e2e_find_built e2e_peer.exe)

set_dpi() {
  local hex
  hex=$(printf '0x%x' "$1")
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null 2>&1 &&
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null 2>&1
}
# The bar window is on the screen (X sees it mapped).
bar_refreshed() { xdotool search --onlyvisible --name '^Tolvane$' | grep -q .; }

dpi_checks() {
  if [[ -z $TOLVIX || -z $PROBE ]]; then
    fail "build_products: tolvix.exe '$TOLVIX' dpi_probe.exe '$PROBE' not found"
    echo "e2e dpi: $PASSED passed, $FAILED failed"
    return 1
  fi
  local dpi base_w=0 base_h=0
  for dpi in 96 144 192; do
    # Each resolution in a fresh Wine server: programs read LogPixels when they start.
    wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
    set_dpi "$dpi" || { fail "dpi_${dpi}_set: reg add LogPixels failed"; continue; }
    # Three windows of another program, so the bar has task buttons to lay out.
    wine "$PEER" burst 3 >/dev/null 2>&1 &
    (cd "$(dirname "$TOLVIX")" && wine "$TOLVIX" >/dev/null 2>&1 &)
    local out
    out=$(timeout 90 wine "$PROBE" 60000 2>&1 | tr -d '\r')
    echo "$out" | grep -v '^FIGURE'
    local figure
    figure=$(grep '^FIGURE dpi' <<<"$out")
    echo "$figure"
    PASSED=$((PASSED + $(grep -c '^PASS' <<<"$out")))
    FAILED=$((FAILED + $(grep -c '^FAIL' <<<"$out")))
    local seen w h
    read -r seen w h < <(sed -nE 's/^FIGURE dpi ([0-9]+) outer [0-9]+x([0-9]+) client ([0-9]+)x[0-9]+.*/\1 \3 \2/p' <<<"$figure")
    if [[ ${seen:-} != "$dpi" ]]; then
      fail "dpi_${dpi}_in_effect: the screen reports ${seen:-nothing}"
      continue
    fi
    wait_until 10 bar_refreshed >/dev/null 2>&1
    wine_session_screenshot "$E2E_ARTIFACTS/dpi-$dpi.png"
    echo "     screenshot $E2E_ARTIFACTS/dpi-$dpi.png"
    if (( dpi == 96 )); then
      base_w=$w base_h=$h
      continue
    fi
    (( base_w > 0 )) || { fail "dpi_${dpi}_outer_size_scales: no size at 96 DPI to compare with"; continue; }
    local want_w=$(( (base_w * dpi + 48) / 96 )) want_h=$(( (base_h * dpi + 48) / 96 ))
    local dw=$(( w - want_w )) dh=$(( h - want_h ))
    if (( dw >= -4 && dw <= 4 && dh >= -4 && dh <= 4 )); then
      pass "dpi_${dpi}_size_scales: client width ${w}, outer height ${h}; ${base_w} and ${base_h} at 96 DPI scaled to ${want_w} and ${want_h}"
    else
      fail "dpi_${dpi}_size_scales: client width ${w}, outer height ${h}; expected ${want_w} and ${want_h} (+-2 per edge) from ${base_w} and ${base_h} at 96 DPI"
    fi
  done
  echo "e2e dpi: $PASSED passed, $FAILED failed"
  [[ $FAILED -eq 0 ]]
}

e2e_run_suite 400 dpi_checks
