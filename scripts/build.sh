#!/usr/bin/env bash
# build.sh <build-dir> [extra cmake arguments...]: configures (once) and builds.
# TARN_BUILD_TARGETS names the targets to build instead of everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
# Paths relative to the checkout, so several checkouts share one compiler cache.
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.ccache}
export CCACHE_BASEDIR=$root
# With debug information ccache hashes the working directory too, which would
# keep every checkout's build apart.
export CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)" ${TARN_BUILD_TARGETS:+--target $TARN_BUILD_TARGETS}
