#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#  1. the regular build (build/) and all of its tests, unit and end-to-end;
#  2. the Debian package made from that build (scripts/package-check.sh): lintian,
#     then the unpacked configurator flashes the unpacked gateway simulator;
#  3. an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/) and all of its tests
#     (TARN_ASAN_E2E=0 leaves out the end-to-end ones);
#  4. the libFuzzer targets (build-fuzz/, clang), each for a bounded time.
# Every stage runs even when an earlier one failed; a summary closes the run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh" || exit 1
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.ccache}
fuzz_seconds=${TARN_FUZZ_SECONDS:-30}
sanitizer_labels='unit|e2e'
[ "${TARN_ASAN_E2E:-1}" = 0 ] && sanitizer_labels=unit
summary=()
status=0
started=$SECONDS

stage() {
  local name=$1
  shift
  local begin=$SECONDS
  echo "== $name"
  if "$@"; then
    summary+=("PASS  $name ($((SECONDS - begin)) s)")
  else
    summary+=("FAIL  $name ($((SECONDS - begin)) s)")
    status=1
  fi
}

release_tests() {
  "$root/scripts/build.sh" "$root/build" &&
    (cd "$root/build" && ctest --output-on-failure -j2)
}

package_checks() {
  "$root/scripts/package-check.sh" "$root/build"
}

# A suppressed leak would otherwise print its table of suppressions on the
# program's standard error, after the line the end-to-end tests read last.
sanitizer_tests() {
  "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON -DTARN_BUILD_BENCH=OFF &&
    (cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 ctest --output-on-failure -j2 -L "$sanitizer_labels")
}

fuzzing() {
  "$root/fuzz/build-fuzzers.sh" "$root/build-fuzz" &&
    "$root/fuzz/run-fuzzers.sh" "$root/build-fuzz" "$fuzz_seconds"
}

stage "release build, unit and end-to-end tests" release_tests
stage "Debian package: lintian, unpacked configurator flashing the simulator" package_checks
stage "AddressSanitizer + UndefinedBehaviorSanitizer build, tests labelled $sanitizer_labels" sanitizer_tests
if ls fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  stage "fuzzing (${fuzz_seconds} s per target)" fuzzing
fi

echo
echo "== Summary ($((SECONDS - started)) s)"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "All stages passed." || echo "Some stages FAILED."
exit $status
