#!/usr/bin/env bash
# package-check.sh [build-dir]: builds the Debian package (scripts/package.sh,
# default build-package/), runs lintian (errors fail, warnings are listed),
# validates the menu entry and the metainfo, simulates its installation with
# apt (every dependency must resolve), unpacks the package into a
# temporary root with dpkg -x and, from there alone: asks every command in
# usr/bin for its version and its manual page and completion, and flashes the
# TARN210's default configuration with the unpacked configurator
# (--config ... --autoflash) to the unpacked gateway simulator, checking that
# the driver plug-in and the libraries it loads are the unpacked ones.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$("$root/scripts/package.sh" "$@")
. "$root/scripts/gateway-simulator.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends | sed 's/^/  /'

echo "-- lintian"
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

echo "-- dependencies resolve (simulated install)"
apt-get install --simulate --quiet=2 "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot install the package"; }

root_dir=$work/root
dpkg-deb -x "$deb" "$root_dir"
private=$(realpath "$root_dir/usr/lib/tarn-wireless-configurator")
version=$(dpkg-deb --field "$deb" Version)

echo "-- menu entry and metainfo"
desktop-file-validate "$root_dir"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root_dir"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

echo "-- commands"
for link in "$root_dir"/usr/bin/*; do
  command=$(basename "$link")
  [ -x "$link" ] || fail "$command does not lead to a program"
  line=$("$link" --version) || fail "$command --version failed"
  [ "$line" = "$command (Tarn Wireless Configurator) $version" ] ||
    fail "$command --version printed \"$line\", not version $version"
  [ -s "$root_dir/usr/share/man/man1/$command.1.gz" ] || fail "$command has no manual page"
  [ -s "$root_dir/usr/share/bash-completion/completions/$command" ] || fail "$command has no completion"
  echo "  $line"
done

echo "-- autoflash with the unpacked configurator against the unpacked simulator"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM LD_LIBRARY_PATH QT_PLUGIN_PATH
export XDG_CONFIG_HOME=$work/config
"$root_dir/usr/bin/frctool" new 012001017701 "$work/flash.frc"
start_simulator "$root_dir/usr/bin/tarn-gateway-sim" || exit 1
status=0
TARN_SERIAL_PORTS=$work/gateway LD_DEBUG=libs LD_DEBUG_OUTPUT=$work/loader timeout 60 \
  "$root_dir/usr/bin/tarn-wireless-configurator" --config "$work/flash.frc" --autoflash 2>"$work/autoflash.log" ||
  status=$?
tail -n 1 "$work/autoflash.log"
[ "$status" -eq 0 ] && [ "$(tail -n 1 "$work/autoflash.log")" = SUCCESS ] ||
  { cat "$work/autoflash.log"; fail "autoflash ended with status $status"; }
# The gateway keeps its own device information; every other leaf is the file's.
"$root_dir/usr/bin/frctool" diff "$work/flash.frc" "$work/stored.frc" >"$work/stored.diff" || true
[ -s "$work/stored.frc" ] && ! grep -v '\.deviceInfo' "$work/stored.diff" ||
  fail "the gateway did not store the flashed file"

# The dynamic loader's log names every library the run started, by its path.
loaded=$(cat "$work"/loader.* | sed -nE 's/.*calling init: (.*)$/\1/p' | sort -u)
grep -qx "$private/devices/libqkelferrow-wlan-7701.so" <<<"$loaded" ||
  fail "the driver plug-in was not loaded from $private/devices"
for library in libqkelpb.so libqkelferrow.so libkelpb.so; do
  grep -qx "$private/$library" <<<"$loaded" || fail "$library was not loaded from $private"
done
outside=$(grep -E "libq?kel|qkelferrow-" <<<"$loaded" | grep -v "^$private/" || true)
[ -z "$outside" ] || fail "project files loaded from outside the package: $outside"

[ "$failures" -eq 0 ] && echo "Package checks passed." || echo "$failures package checks FAILED."
[ "$failures" -eq 0 ]
