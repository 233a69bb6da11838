#!/usr/bin/env bash
# Installs what is missing, builds, and runs the configurator against the
# gateway simulator on a pseudo-terminal, so it can be tried without hardware.
# Arguments go to the configurator, e.g. --config my.frc --autoflash.
# TARN_SERIAL_PORTS set by the caller (a real gateway's port) skips the simulator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
TARN_BUILD_TARGETS="ferrow-7700-configurator qkelferrow-wlan-7701 tarn-gateway-sim frctool" \
  "$root/scripts/build.sh" "$root/build" -DTARN_BUILD_TESTS=ON
bin=$root/build/bin

if [ -z "${TARN_SERIAL_PORTS:-}" ]; then
  link=$(mktemp -u /tmp/ttyTARN.XXXXXX)
  "$bin/tarn-gateway-sim" --link "$link" &
  simulator=$!
  trap 'kill $simulator 2>/dev/null; wait $simulator 2>/dev/null' EXIT
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  export TARN_SERIAL_PORTS=$link
  echo "Gateway simulator on $link"
fi

# Without a display the window cannot open: flash the TARN210's default
# configuration to the gateway instead, as a flashing station would.
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  file=$(mktemp --suffix=.frc)
  "$bin/frctool" new 012001017701 "$file"
  echo "No display: flashing the default configuration ($file) to $TARN_SERIAL_PORTS"
  set -- --config "$file" --autoflash
fi
"$bin/ferrow-7700-configurator" "$@"
