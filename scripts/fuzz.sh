#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each for a bounded time, default
# 20 s, on its seed corpus in fuzz/corpus/<target>/. New inputs go to build/fuzz/corpus, never
# into the tree. Exits non-zero when any target crashes.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build/fuzz
targets=(known_tasks dword_value_codec logo_nfo lirc_lines action_map line_file shortcut_file notify_block)
# Longest input per target where libFuzzer's own choice (4096 bytes, or the longest seed) is too
# short: the known-task loader's text budget is only reached by a file of some 115 KB.
declare -A max_len=([known_tasks]=262144)

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -DTOLVANE_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j"${JOBS:-2}" >/dev/null || { cmake --build "$build" -j1; exit 1; }

passed=0
failed=0
mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  work=$build/corpus/$target
  log=$build/$target.log
  mkdir -p "$work"
  length=()
  [[ -n ${max_len[$target]:-} ]] && length=(-max_len="${max_len[$target]}")
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "${length[@]}" \
      -artifact_prefix="$build/artifacts/$target-" "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    passed=$((passed + 1))
    echo "fuzz: $target passed ($(grep -o 'Done [0-9]* runs' "$log" | tail -1 | tr -dc 0-9) runs in $seconds s)"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FAILED (log $log, inputs in $build/artifacts)"
    tail -n 40 "$log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
