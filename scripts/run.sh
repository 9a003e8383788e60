#!/usr/bin/env bash
# Builds the tool and runs it. With no terminal attached (no device given and
# no USB serial adapter found) it starts the simulated terminal and talks to it.
#   scripts/run.sh                 simulated terminal
#   scripts/run.sh /dev/ttyUSB0    a real terminal (password in ORLAN_PASSWORD)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc 2>/dev/null || echo 2)" --target orlan-cli orlan-sim >/dev/null

bin=build/release
device="${1:-}"
if [ -z "$device" ]; then
  for candidate in /dev/ttyUSB* /dev/ttyACM*; do
    [ -e "$candidate" ] && device="$candidate" && break
  done
fi

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [ -z "$device" ]; then
  echo "No terminal attached: starting the simulated terminal." >&2
  link="${XDG_RUNTIME_DIR:-/tmp}/orlan-sim-$$"
  "$bin/sim/orlan-sim" --link "$link" > /dev/null &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  device="$link"
fi

"$bin/cli/orlan-cli" --port "$device" --password "${ORLAN_PASSWORD:-}" read
