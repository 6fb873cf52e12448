#!/usr/bin/env bash
# End-to-end tests of the memory viewer control dralith.dll under Wine:
#   registration with regsvr32 (keys appear, and vanish again with /u, nothing else removed),
#   a VBScript client under cscript (properties, methods, registry persistence),
#   an ATL container host (siting, label text, menu, about window, paint time, GDI flatness),
#   a container of its own (UI activation and teardown, drawing into its DC, view and close
#   notifications), the toolbox bitmap, a registration that fails part-way,
#   and a screenshot of the sited control (background, graph line, display text).
# Usage: tests/e2e/control/run.sh <windows-build-dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../lib/suite.sh
source "$HERE/../lib/suite.sh"
e2e_suite_setup control "$@"
BUILD=$E2E_BUILD

CLSID='{19D31A65-5125-49E0-A593-0A369990ED0F}'
LIBID='{2152ECDA-EBF1-4340-A368-D777DB770139}'
# Takes PASS/FAIL lines of a test program into the tally; FIGURE lines are printed as they are.
tally() {
  local line
  while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
      PASS\ *) pass "${line#PASS }" ;;
      FAIL\ *) fail "${line#FAIL }" ;;
      FIGURE\ *) echo "$line" ;;
    esac
  done <"$1"
}
find_built() {
  local found
  found=$(e2e_find_built "$1")
  [[ -n $found ]] || { echo "run.sh: $1 not found under $BUILD" >&2; return 1; }
  echo "$found"
}
reg_has() { wine reg query "$1" >/dev/null 2>&1; }
reg_gone() { ! wine reg query "$1" >/dev/null 2>&1; }

DLL=$(find_built dralith.dll) || { fail "dralith.dll built"; finish; exit 1; }
HOST=$(find_built dralith_axhost.exe) || { fail "dralith_axhost.exe built"; finish; exit 1; }

# Runs inside the Wine session (e2e_run_suite) and prints its own closing line.
control_checks() {
BIN="$E2E_TMP/bin"
mkdir -p "$BIN"
cp "$DLL" "$HOST" "$HERE/script_client.vbs" "$BIN/"
cd "$BIN" || return 1

# --- registration ---------------------------------------------------------------------------
# A key next to ours that unregistering must leave alone.
wine reg add 'HKCR\Pellgrove.Unrelated' /ve /d keep /f >/dev/null 2>&1
check "regsvr32 registers dralith.dll" wine regsvr32 /s dralith.dll
check "CLSID key with InprocServer32 names the DLL" \
  bash -c "wine reg query 'HKCR\\CLSID\\$CLSID\\InprocServer32' | grep -qi 'dralith.dll'"
check "InprocServer32 is apartment threaded" \
  bash -c "wine reg query 'HKCR\\CLSID\\$CLSID\\InprocServer32' /v ThreadingModel | grep -q Apartment"
check "Control and MiscStatus keys are there" \
  bash -c "wine reg query 'HKCR\\CLSID\\$CLSID\\Control' >/dev/null && wine reg query 'HKCR\\CLSID\\$CLSID\\MiscStatus\\1' | grep -q 131473"
check "ProgID Pellgrove.DralithCTL names the class and its current version" \
  bash -c "wine reg query 'HKCR\\Pellgrove.DralithCTL\\CLSID' | grep -qi '$CLSID' && wine reg query 'HKCR\\Pellgrove.DralithCTL\\CurVer' | grep -q 'Pellgrove.DralithCTL.1'"
check "versioned ProgID Pellgrove.DralithCTL.1" \
  bash -c "wine reg query 'HKCR\\Pellgrove.DralithCTL.1\\CLSID' | grep -qi '$CLSID'"
check "type library Pellgrove registered" reg_has "HKCR\\TypeLib\\$LIBID\\1.0"

# --- script client --------------------------------------------------------------------------
if timeout 300 wine cscript //nologo script_client.vbs >"$E2E_TMP/script.txt" 2>&1; then :; fi
tally "$E2E_TMP/script.txt"
grep -q '^END' "$E2E_TMP/script.txt" || fail "script client ran to its end: $(tail -n 3 "$E2E_TMP/script.txt" | tr '\n' ' ')"
timeout 60 wine dralith_axhost.exe --settings-bytes TolvaneE2E "$(winepath -w "$E2E_TMP/bytes.txt")"
BYTES=$(tr -d '\r' <"$E2E_TMP/bytes.txt" 2>/dev/null)
if [[ $BYTES == "BYTES 1 31 35 00" ]]; then
  pass "SaveSettings wrote REG_SZ bytes 31 35 00"
else
  fail "SaveSettings wrote REG_SZ bytes 31 35 00: saw '$BYTES'"
fi

# --- ATL container host ---------------------------------------------------------------------
RESULTS="$E2E_TMP/host.txt"
# The host asks the runner for the screenshot "dralith-control" while the control shows, and
# leaves beside it where the control is and its graph line's row and colour.
timeout 300 wine dralith_axhost.exe "$(winepath -w "$RESULTS")" "$(e2e_winpath "$E2E_ARTIFACTS")"
HOST_RC=$?
SHOT="$E2E_ARTIFACTS/dralith-control.png"
PLACE="$E2E_ARTIFACTS/dralith-control.place"
if [[ -s $SHOT && -s $PLACE ]]; then
  # The control sits at (50, 50) + 400 x 200 on the virtual screen (frame at 40,40, client
  # offset, AtlAxWin at 10,10): most of it must be the ramp's dark background (blue 0, red or
  # green at 128).
  DARK=$(convert "$SHOT" -crop 380x180+70+80 +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk '{ if ($3 == 0 && ($1 == 128 || $2 == 128) && $1 <= 128 && $2 <= 128) d++; n++ }
         END { if (n) printf "%d", d * 100 / n; else print 0 }')
  if (( DARK >= 50 )); then pass "screenshot shows the graph background (${DARK}% dark ramp)"; else fail "screenshot shows the graph background: ${DARK}%"; fi
  # The host froze the picture in display mode 4 and wrote the control's place on screen and the
  # row and colour its flat graph line must have. Along that row (+-2 rows, colour +-4) at least
  # 80% of the columns show the line; in the text's corner (150 x 30) the white text shows.
  read -r CX CY CW CH LY LR LG LB < <(tr -d '\r' <"$PLACE")
  PIXELS=$(convert "$SHOT" -crop "${CW}x${CH}+${CX}+${CY}" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/^\([0-9]*\),\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4 \5/p')
  LINE=$(awk -v ly="$LY" -v r="$LR" -v g="$LG" -v b="$LB" -v w="$CW" '
    function near(a, e) { return a - e <= 4 && e - a <= 4 }
    $2 >= ly - 2 && $2 <= ly + 2 && near($3, r) && near($4, g) && near($5, b) { hit[$1] = 1 }
    END { n = 0; for (x in hit) n++; printf "%d", n * 100 / w }' <<<"$PIXELS")
  if (( LINE >= 80 )); then pass "screenshot shows the graph line in its colour along row $LY (${LINE}% of columns)"
  else fail "screenshot shows the graph line in $LR,$LG,$LB along row $LY: ${LINE}% of columns"; fi
  TEXT=$(awk '$1 < 150 && $2 < 30 && $3 == 255 && $4 == 255 && $5 == 255 { n++ } END { printf "%d", n }' <<<"$PIXELS")
  if (( TEXT >= 40 )); then pass "screenshot shows the display text where UCCD stands ($TEXT white pixels)"
  else fail "screenshot shows the display text where UCCD stands: $TEXT white pixels"; fi
  echo "screenshot: $SHOT"
else
  fail "host became ready for the screenshot"
fi
[[ -f $RESULTS ]] && tally "$RESULTS"
grep -q '^e2e control-host: ' "$RESULTS" 2>/dev/null || fail "host ran to its end (exit $HOST_RC)"

# --- unregistration -------------------------------------------------------------------------
check "regsvr32 /u unregisters dralith.dll" wine regsvr32 /s /u dralith.dll
check "CLSID key is gone" reg_gone "HKCR\\CLSID\\$CLSID"
check "ProgIDs are gone" bash -c "! wine reg query 'HKCR\\Pellgrove.DralithCTL' >/dev/null 2>&1 && ! wine reg query 'HKCR\\Pellgrove.DralithCTL.1' >/dev/null 2>&1"
check "type library registration is gone" reg_gone "HKCR\\TypeLib\\$LIBID"
check "interface registration is gone" reg_gone 'HKCR\Interface\{F7DE2610-FD17-434D-96E6-197D146A42AD}'
check "an unrelated key survives unregistering" reg_has 'HKCR\Pellgrove.Unrelated'
check "unregistering again counts as success" wine regsvr32 /s /u dralith.dll

# --- two copies -----------------------------------------------------------------------------
# The copy registered last owns the class; unregistering the other one must leave it working.
mkdir -p "$BIN/other"
cp dralith.dll "$BIN/other/"
server_is() { wine reg query "HKCR\\CLSID\\$CLSID\\InprocServer32" /ve 2>/dev/null | grep -qi "$1"; }
register_both() { wine regsvr32 /s dralith.dll && wine regsvr32 /s 'other\dralith.dll' && server_is 'other.dralith.dll'; }
unregister_first() {
  wine regsvr32 /s /u dralith.dll && server_is 'other.dralith.dll' &&
    reg_has 'HKCR\Pellgrove.DralithCTL\CLSID' && reg_has "HKCR\\TypeLib\\$LIBID\\1.0"
}
unregister_second() {
  wine regsvr32 /s /u 'other\dralith.dll' && reg_gone "HKCR\\CLSID\\$CLSID" && reg_gone "HKCR\\TypeLib\\$LIBID"
}
check "a second copy registered after the first owns the class" register_both
check "unregistering the first copy leaves the second copy's class, ProgID and type library" unregister_first
check "unregistering the second copy removes the class and the type library" unregister_second

finish
}

e2e_run_suite 900 control_checks
