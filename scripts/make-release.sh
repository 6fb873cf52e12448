#!/usr/bin/env bash
# Builds the Windows x86_64 release and packs what a Windows user downloads into one zip:
# tolvix.exe, dralith.dll, the shipped tolvix.TSK, README.txt and LICENSE.txt.
# Usage: scripts/make-release.sh [windows-build-dir]   (default build/win-x86_64)
# Prints the zip's path: <windows-build-dir>/release/tolvane-<version>-win64.zip
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win-x86_64}
jobs=${JOBS:-2}
"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$jobs" --target tolvix dralith >&2
build=$(cd "$build" && pwd)

# The version block of tolvix.exe is the one place the version is written.
version=$(sed -nE 's/^ *VALUE "ProductVersion", "([^"]+)".*/\1/p' "$root/bar/res/tolvix.rc")
[[ -n $version ]] || { echo "make-release: no ProductVersion in bar/res/tolvix.rc" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/bar/tolvix.exe" "$build/control/dralith.dll" "$root/progmenu/tolvix.TSK" "$stage/"
# Notepad of every Windows version reads CRLF lines.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/release/README.txt" >"$stage/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
x86_64-w64-mingw32-strip "$stage/tolvix.exe" "$stage/dralith.dll"

mkdir -p "$build/release"
zip_file="$build/release/tolvane-$version-win64.zip"
rm -f "$zip_file"
# -X: no Unix owners or times beyond the plain ones; -j: the files at the zip's top level.
(cd "$stage" && zip -q -X -j "$zip_file" tolvix.exe dralith.dll tolvix.TSK README.txt LICENSE.txt)
echo "$zip_file"
