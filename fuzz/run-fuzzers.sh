#!/usr/bin/env bash
# run-fuzzers.sh <build-dir> <seconds> [executions]: runs every fuzz_<name>
# target of the build on a copy of its seed corpus (fuzz/corpus/<name>/), for
# the given time, or, when `executions` is given, for that many executions
# with no time limit. Prints each target's executions and findings; fails on
# any crash, leak, timeout or sanitizer report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build directory}
seconds=${2:-60}
executions=${3:-}
status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -n "$executions" ]; then
  limit=(-runs="$executions")
else
  limit=(-max_total_time="$seconds")
fi

for fuzzer in "$build"/bin/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  name=${name#fuzz_}
  corpus=$work/$name
  mkdir -p "$corpus" "$work/artifacts-$name"
  if [ -d "$here/corpus/$name" ]; then
    cp "$here/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "== fuzz_$name (${limit[*]})"
  failed=0
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$fuzzer" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$work/artifacts-$name/" -print_final_stats=1 "$corpus" >"$work/$name.log" 2>&1 || failed=1
  findings=$(find "$work/artifacts-$name" -type f | wc -l)
  runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$work/$name.log" | tail -n 1 | grep -oE '[0-9]+$' || true)
  echo "fuzz_$name: ${runs:-unknown} executions, $findings finding(s)"
  if [ $failed -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "fuzz_$name FAILED:"
    tail -n 60 "$work/$name.log"
    for artifact in "$work/artifacts-$name"/*; do
      [ -f "$artifact" ] && echo "reproducer (hex): $(od -An -tx1 "$artifact" | tr -d ' \n' | head -c 2000)"
    done
    status=1
  fi
done
exit $status
