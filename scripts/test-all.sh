#!/usr/bin/env bash
# Builds everything (host, Windows x86_64 and i686) and runs every test: the unit tests on the
# host, then the end-to-end suites of the real binaries under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}
"$root/scripts/install-deps.sh"

# One style for the whole tree (.clang-format): a file out of it fails here, not in review.
(cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

cmake -S "$root" -B "$root/build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/host" -j"$jobs"
for arch in x86_64 i686; do
  cmake -S "$root" -B "$root/build/win-$arch" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$root/build/win-$arch" -j"$jobs"
done

# The zip a Windows user downloads; the release suite below checks it.
"$root/scripts/make-release.sh" "$root/build/win-x86_64" >/dev/null

(cd "$root/build/host" && ctest --output-on-failure -j"$jobs")
"$root/scripts/fuzz.sh"
# Wine here runs 64-bit programs; the i686 build above proves the code compiles for 32-bit.
"$root/tests/e2e/run-all.sh" "$root/build/win-x86_64"
