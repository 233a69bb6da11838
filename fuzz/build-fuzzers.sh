#!/usr/bin/env bash
# build-fuzzers.sh <build-dir>: configures (once) and builds the libFuzzer
# targets with clang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
TARN_BUILD_TARGETS=fuzzers exec "$root/scripts/build.sh" "${1:?build directory}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTARN_BUILD_FUZZERS=ON -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_BENCH=OFF
