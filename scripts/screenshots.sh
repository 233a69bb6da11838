#!/usr/bin/env bash
# screenshots.sh [output-dir]: pictures of the program's windows as PNG files
# (default build/screenshots). The QML test runner shows the real main window
# and secondary windows under Xvfb against its own gateway simulator on a
# pseudo-terminal, with a settings store of its own; scripts/screenshots.qml
# lists the pictures. TARN_BUILD_DIR names another build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARN_BUILD_DIR:-$root/build}
out=${1:-$build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

XDG_CONFIG_HOME=$home TARN_SCREENSHOT_DIR=$out TARN_BUILD_BIN=$build/bin \
  xvfb-run -a -s "-screen 0 1280x900x24" \
  "$build/bin/tarn-qmltestrunner" -input "$root/scripts/screenshots.qml"
ls "$out"/*.png
