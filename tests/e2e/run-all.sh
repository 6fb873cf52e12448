#!/usr/bin/env bash
# Runs every end-to-end suite (tests/e2e/<suite>/run.sh <windows-build-dir>) and sums the
# closing lines "e2e <suite>: N passed, M failed". Fails when any suite fails.
set -u
if [[ $# -ne 1 || ! -d $1 ]]; then
  echo "usage: $0 <windows-build-dir>" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

total_passed=0
total_failed=0
failed_suites=()
summaries=()
for runner in "$here"/*/run.sh; do
  [[ -f $runner ]] || continue
  suite=$(basename "$(dirname "$runner")")
  echo "=== e2e suite $suite"
  log=$(mktemp)
  bash "$runner" "$build_dir" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  closing=$(grep -E '^e2e [^ ]+: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
  rm -f "$log"
  if [[ -n $closing ]]; then
    passed=$(sed -E 's/.*: ([0-9]+) passed, ([0-9]+) failed/\1/' <<<"$closing")
    failed=$(sed -E 's/.*: ([0-9]+) passed, ([0-9]+) failed/\2/' <<<"$closing")
  else
    closing="e2e $suite: no closing line (exit code $rc)"
    passed=0
    failed=1
  fi
  # A suite that crashes after printing a clean closing line still counts as a failure.
  if [[ $rc -ne 0 && $failed -eq 0 ]]; then
    failed=1
    closing="$closing (but exit code $rc)"
  fi
  total_passed=$(( total_passed + passed ))
  total_failed=$(( total_failed + failed ))
  if [[ $rc -ne 0 || $failed -ne 0 ]]; then
    failed_suites+=("$suite")
  fi
  summaries+=("$closing")
done

echo "=== e2e summary"
for line in "${summaries[@]}"; do
  echo "$line"
done
echo "e2e: $total_passed passed, $total_failed failed"
if (( ${#failed_suites[@]} > 0 )); then
  echo "failed suites: ${failed_suites[*]}" >&2
  exit 1
fi
exit 0
