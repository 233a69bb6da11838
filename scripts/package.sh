#!/usr/bin/env bash
# package.sh [build-dir]: installs what is missing, builds the program from a
# release build (default build-package/, configured once without tests and
# benchmarks; an existing build directory is used as it is configured) and
# makes the Debian package tarn-wireless-configurator_<version>_<arch>.deb in
# <build-dir>/package/. Prints the package's path on the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
"$root/scripts/install-deps.sh"
configure=()
[ -f "$dir/CMakeCache.txt" ] ||
  configure=(-DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_BENCH=OFF)
"$root/scripts/build.sh" "$dir" "${configure[@]}"
out=$(cd "$dir" && pwd)/package
rm -f "$out"/*.deb
(cd "$dir" && cpack -G DEB -B "$out" >"$out.log" 2>&1) || { cat "$out.log"; exit 1; }
ls "$out"/*.deb
