#!/usr/bin/env bash
# Builds the tool and runs its desktop window. With no terminal attached (no
# device given and no /dev/ttyUSB* or /dev/ttyACM* present) it starts the
# simulated terminal and talks to it. Without a display it runs the
# command-line tool's whole-configuration read instead.
#   scripts/run.sh                 simulated terminal
#   scripts/run.sh /dev/ttyUSB0    a real terminal (password in ORLAN_PASSWORD)
# ORLAN_BUILD_DIR chooses another build folder than build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh >/dev/null
bin="${ORLAN_BUILD_DIR:-build/release}"
# Quiet unless something fails; then the build's own output says why.
if ! log="$(cmake --preset release -B "$bin" 2>&1 &&
            cmake --build "$bin" -j "$(nproc 2>/dev/null || echo 2)" --target orlan orlan-cli orlan-sim 2>&1)"; then
  printf '%s\n' "$log" >&2
  echo "The build failed." >&2
  exit 1
fi

device="${1:-}"
password_args=()
[ -n "${ORLAN_PASSWORD+set}" ] && password_args=(--password "$ORLAN_PASSWORD")
if [ -z "$device" ]; then
  for candidate in /dev/ttyUSB* /dev/ttyACM*; do
    [ -e "$candidate" ] && device="$candidate" && break
  done
fi

runtime=""
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  if [ -n "$runtime" ]; then rm -rf "$runtime"; fi
}
trap cleanup EXIT

if [ -z "$device" ]; then
  echo "No terminal attached: starting the simulated terminal." >&2
  runtime="$(mktemp -d "${XDG_RUNTIME_DIR:-/tmp}/orlan-run.XXXXXX")"
  link="$runtime/orlan-sim"
  # The simulated terminal and the tool share the window's initial password.
  sim_password="${ORLAN_PASSWORD-rain is a cold one}"
  "$bin/sim/orlan-sim" --link "$link" --password "$sim_password" >/dev/null &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  [ -e "$link" ] || { echo "The simulated terminal did not start." >&2; exit 1; }
  device="$link"
  password_args=(--password "$sim_password")
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line read instead." >&2
  "$bin/cli/orlan-cli" --port "$device" --password "${ORLAN_PASSWORD-${sim_password:-}}" read
  exit $?
fi

# The window's own port choice applies unless a device was named or simulated.
port_args=()
if [ -n "${1:-}" ] || [ -n "$sim_pid" ]; then port_args=(--port "$device"); fi
# Started in the build folder, which holds no gsm.ini of its own: the window
# then speaks the language chosen in its Language menu (or the system's),
# and its files (camera picture, record log) stay out of the sources.
cd "$bin"
"./app/orlan" "${port_args[@]}" "${password_args[@]}"
