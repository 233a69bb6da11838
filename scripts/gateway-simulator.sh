# Sourced by the scripts that run the configurator against the gateway
# simulator: makes the temporary directory $work, removed at exit together
# with the simulator that start_simulator started.
work=$(mktemp -d)
sim_pid=
stop_simulator() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  sim_pid=
}
trap 'stop_simulator; rm -rf "$work"' EXIT

# start_simulator <tarn-gateway-sim>: the simulator on $work/gateway, storing
# written configurations to $work/stored.frc and logging to
# $work/simulator.log; fails, showing the log, when no terminal appears.
start_simulator() {
  "$1" --link "$work/gateway" --store "$work/stored.frc" >/dev/null 2>"$work/simulator.log" &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$work/gateway" ] && return 0; sleep 0.1; done
  echo "the simulator did not start"
  cat "$work/simulator.log"
  return 1
}
