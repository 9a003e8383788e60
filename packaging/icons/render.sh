#!/usr/bin/env bash
# Renders the hicolor PNG sizes from orlan.svg (needs rsvg-convert from
# librsvg2-bin). Run once after changing the drawing and commit the PNGs;
# the build only installs them.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" orlan.svg -o "hicolor/${size}x${size}/apps/orlan.png"
done
