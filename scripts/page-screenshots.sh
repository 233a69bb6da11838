#!/usr/bin/env bash
# page-screenshots.sh [build-dir] [output-dir]: renders each of the TARN210's
# six configuration tabs at 1024x768 on a virtual X screen and writes one PNG
# per tab (1-device.png ... 6-safety.png) into the output directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/build/page-screenshots}
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
TARN_PAGE_SHOTS=$(cd "$out" && pwd) XDG_CONFIG_HOME=$home TARN_BUILD_BIN=$build/bin QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x900x24" \
  "$build/bin/tst_devicePages" -input "$root/tests/device/pages/tst_tabView.qml" TabView::test_screenshots
ls "$out"/*.png
