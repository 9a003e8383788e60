#!/usr/bin/env bash
# Builds the tool and runs its desktop window. With no terminal attached (no
# device given and no /dev/ttyUSB* or /dev/ttyACM* present) it starts the
# simulated terminal and talks to it. Without a display it prints the main
# pages' settings by caption (orlan-cli show) instead. Each step says what it
# does on one line; a failing step shows its own output.
#   scripts/run.sh                 simulated terminal
#   scripts/run.sh /dev/ttyUSB0    a real terminal (password in ORLAN_PASSWORD)
# ORLAN_BUILD_DIR chooses another build folder than build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

say() { echo "run: $*" >&2; }
# Runs a step quietly; on failure its own output says why.
step() {
  local what="$1"
  shift
  say "$what..."
  local log
  if ! log="$("$@" 2>&1)"; then
    printf '%s\n' "$log" >&2
    say "$what failed."
    exit 1
  fi
}

step "checking the packages the build needs (installing what is missing)" bash scripts/setup-deps.sh
bin="${ORLAN_BUILD_DIR:-build/release}"
jobs="$(nproc 2>/dev/null || echo 2)"
step "configuring the build in $bin" cmake --preset release -B "$bin"
# The window loads the chart module (orlan-chart) from beside itself when
# the realtime records are first shown: it is built with the programs.
for target in orlan-sim orlan-cli orlan-chart orlan; do
  step "building $target" cmake --build "$bin" -j "$jobs" --target "$target"
done

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
  say "no terminal attached: starting the simulated terminal"
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
  say "no display (neither DISPLAY nor WAYLAND_DISPLAY is set): printing the main pages instead"
  # Settings by caption, as the window's pages show them.
  for page in main alarm control-phones rf-zones io-types; do
    say "reading the terminal and showing the page $page"
    "$bin/cli/orlan-cli" --port "$device" --password "${ORLAN_PASSWORD-${sim_password:-}}" show "$page"
    echo
  done
  exit 0
fi

# The window's own port choice applies unless a device was named or simulated.
port_args=()
if [ -n "${1:-}" ] || [ -n "$sim_pid" ]; then port_args=(--port "$device"); fi
# Started in the build folder, which holds no gsm.ini of its own: the window
# then speaks the language chosen in its Language menu (or the system's),
# and its files (camera picture, record log) stay out of the sources.
cd "$bin"
say "starting the window"
"./app/orlan" "${port_args[@]}" "${password_args[@]}"
