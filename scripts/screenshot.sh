#!/usr/bin/env bash
# Draws docs/screenshot.png: the desktop window, offscreen, against the
# simulated terminal, once its first whole-configuration read is complete.
#   scripts/screenshot.sh [PAGE_KEY [FILE]]     default PAGE_BASIC docs/screenshot.png
# ORLAN_BUILD_DIR chooses another build folder than build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

page="${1:-PAGE_BASIC}"
out="${2:-docs/screenshot.png}"

bash scripts/setup-deps.sh >/dev/null
bin="${ORLAN_BUILD_DIR:-build/release}"
# Quiet unless something fails; then the build's own output says why.
if ! log="$(cmake --preset release -B "$bin" 2>&1 &&
            cmake --build "$bin" -j "$(nproc 2>/dev/null || echo 2)" --target orlan orlan-sim 2>&1)"; then
  printf '%s\n' "$log" >&2
  echo "The build failed." >&2
  exit 1
fi

work="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Its first output line is its device, which the picture then shows.
"$bin/sim/orlan-sim" --rate 0 >"$work/sim.out" &
sim_pid=$!
device=""
for _ in $(seq 50); do
  device="$(head -n 1 "$work/sim.out")"
  [ -n "$device" ] && [ -e "$device" ] && break
  sleep 0.1
done
[ -n "$device" ] && [ -e "$device" ] || { echo "The simulated terminal did not start." >&2; exit 1; }

# A private home, so the picture does not show this user's remembered window.
mkdir -p "$work/config"
HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  "$bin/app/orlan" --port "$device" --page "$page" --screenshot "$out"
echo "Wrote $out" >&2
