#!/usr/bin/env bash
# Installs what is missing, builds, and starts the gateway simulator on a
# pseudo-terminal (printing its path) so the configurator can talk to it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DTARN_BUILD_TESTS=OFF
exec "$root/build/bin/tarn-gateway-sim" "$@"
