#!/usr/bin/env bash
# soak.sh [autoflash-runs] [session-cycles] [build-dir]: long runs of a built
# tree (not part of CI; build first with ./scripts/build.sh build).
#  1. `autoflash-runs` (default 1000) autoflash runs of the program against ONE
#     gateway simulator process: counts SUCCESS, ERROR, crashes and hangs (over
#     15 s) and prints the slowest run.
#  2. `session-cycles` (default 1000) connect/read/write/disconnect cycles in
#     one process through the state machine facade (bench/app/soak_session):
#     RSS at cycles 10, 100 and the last, open descriptors at start and end.
# Exits non-zero unless every run succeeded and the session limits held.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-1000}
cycles=${2:-1000}
build=$(cd "${3:-$root/build}" && pwd) || exit 2
bin=$build/bin
hang_seconds=15
status=0

. "$root/scripts/gateway-simulator.sh"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_CONFIG_HOME=$work/config

echo "== $runs autoflash runs against one simulator"
"$bin/frctool" new 012001017701 "$work/flash.frc" || exit 2
start_simulator "$bin/tarn-gateway-sim" || exit 2

success=0 error=0 crashes=0 hangs=0 wrong=0 slowest_ns=0 slowest_run=0
for run in $(seq "$runs"); do
  begin=$(date +%s%N)
  TARN_SERIAL_PORTS=$work/gateway timeout -s KILL "$hang_seconds" \
    "$bin/ferrow-7700-configurator" --config "$work/flash.frc" --autoflash >/dev/null 2>"$work/run.err"
  code=$?
  took=$(( $(date +%s%N) - begin ))
  last=$(tail -n 1 "$work/run.err")
  if [ "$code" -eq 137 ]; then
    hangs=$((hangs + 1)); echo "run $run: no outcome after ${hang_seconds} s"; tail -n 5 "$work/run.err"
  elif [ "$code" -gt 128 ]; then
    crashes=$((crashes + 1)); echo "run $run: killed by signal $((code - 128))"; tail -n 5 "$work/run.err"
  elif [ "$code" -eq 0 ] && [ "$last" = SUCCESS ]; then
    success=$((success + 1))
  elif [ "$code" -eq 255 ] && [ "$last" = ERROR ]; then
    error=$((error + 1)); echo "run $run: ERROR"; tail -n 5 "$work/run.err"
  else
    wrong=$((wrong + 1)); echo "run $run: exit $code, last line \"$last\""
  fi
  if [ "$took" -gt "$slowest_ns" ]; then slowest_ns=$took; slowest_run=$run; fi
done
stop_simulator
printf 'SUCCESS %d  ERROR %d  crashes %d  hangs %d  other outcomes %d\n' "$success" "$error" "$crashes" "$hangs" "$wrong"
printf 'slowest run: #%d, %d.%03d s\n' "$slowest_run" $((slowest_ns / 1000000000)) $((slowest_ns / 1000000 % 1000))
[ "$success" -eq "$runs" ] || status=1

echo "== $cycles session cycles in one process"
"$bin/soak_session" "$cycles" || status=1
exit $status
