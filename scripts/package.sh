#!/usr/bin/env bash
# package.sh [build-dir]: installs what is missing, builds the program from a
# release build (default build-package/, configured once without tests and
# benchmarks; an existing build directory is used as it is configured) and
# makes the Debian package tarn-wireless-configurator_<version>_<arch>.deb in
# <build-dir>/package/. The build talks on standard error; standard output
# holds only the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
"$root/scripts/install-deps.sh" >&2
configure=()
[ -f "$dir/CMakeCache.txt" ] ||
  configure=(-DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_BENCH=OFF)
"$root/scripts/build.sh" "$dir" "${configure[@]}" >&2
out=$(cd "$dir" && pwd)/package
rm -f "$out"/*.deb
(cd "$dir" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log" >&2; exit 1; }
ls "$out"/*.deb
