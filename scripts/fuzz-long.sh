#!/usr/bin/env bash
# fuzz-long.sh [executions]: builds the libFuzzer targets (build-fuzz/, clang)
# and runs each for `executions` executions (default 10 million), printing the
# executions and findings of each. Not part of CI; takes hours.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
executions=${1:-10000000}
"$root/scripts/install-deps.sh"
"$root/fuzz/build-fuzzers.sh" "$root/build-fuzz"
exec "$root/fuzz/run-fuzzers.sh" "$root/build-fuzz" 0 "$executions"
