#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the program need.
# Skips apt entirely when everything is already there, so repeated runs stay fast.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qtbase5-dev qtdeclarative5-dev qtdeclarative5-dev-tools libqt5serialport5-dev
  qml-module-qtquick-controls qml-module-qtquick-dialogs qml-module-qtquick-layouts
  qml-module-qtquick-window2 qml-module-qtqml-models2 qml-module-qttest qml-module-qt-labs-settings
  libkf5archive-dev libprotobuf-dev protobuf-compiler libboost-dev
  libbenchmark-dev
  clang-14 libclang-rt-14-dev
  socat xvfb xauth x11-apps imagemagick librsvg2-bin fonts-dejavu-core libgl1-mesa-dri unzip
  dpkg-dev fakeroot file lintian appstream desktop-file-utils help2man
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
