#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#  1. the regular build (build/) and all of its tests, unit and end-to-end;
#  2. an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/) and its tests;
#  3. the libFuzzer targets (build-fuzz/, clang), each for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.ccache}
fuzz_seconds=${TARN_FUZZ_SECONDS:-60}
status=0

echo "== Build and test: release"
"$root/scripts/build.sh" "$root/build"
(cd build && ctest --output-on-failure -j2) || status=1

echo "== Build and test: AddressSanitizer + UndefinedBehaviorSanitizer"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON -DTARN_BUILD_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
  ctest --output-on-failure -j2 -L unit) || status=1

if ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== Fuzzing (${fuzz_seconds}s per target)"
  "$root/scripts/build.sh" "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DTARN_BUILD_FUZZERS=ON -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_BENCH=OFF
  "$root/fuzz/run-fuzzers.sh" "$root/build-fuzz" "$fuzz_seconds" || status=1
fi

exit $status
