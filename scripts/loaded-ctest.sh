#!/usr/bin/env bash
# loaded-ctest.sh [runs] [build-dir]: runs the whole test suite of a release
# build `runs` times in a row (default 20) with `ctest -j2`, while one busy
# process per core keeps every core loaded, as a parallel build would. Prints
# each run's result and a final count; keeps the log of every failed run;
# exits non-zero if any run failed. Build first: ./scripts/build.sh build
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20}
build=$(cd "${2:-$root/build}" && pwd) || exit 2
logs=${TARN_LOADED_LOGS:-$root/loaded-ctest-logs}
mkdir -p "$logs"

load_pids=()
stop_load() {
  for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait "${load_pids[@]}" 2>/dev/null
}
trap stop_load EXIT
for _ in $(seq "$(nproc)"); do
  bash -c 'while :; do :; done' &
  load_pids+=($!)
done

failed=0
for run in $(seq "$runs"); do
  log=$logs/run-$run.log
  begin=$SECONDS
  if (cd "$build" && ctest -j2 --output-on-failure) >"$log" 2>&1; then
    echo "run $run/$runs: PASS ($((SECONDS - begin)) s)"
    rm -f "$log"
  else
    failed=$((failed + 1))
    echo "run $run/$runs: FAIL ($((SECONDS - begin)) s), log kept: $log"
    grep -E '^\s*[0-9]+ - .*\((Failed|Timeout|SEGFAULT|Subprocess|Exception|Not Run)' "$log" | sed 's/^/    /'
  fi
done
echo "$((runs - failed)) of $runs loaded runs passed, $failed failed"
[ "$failed" -eq 0 ]
