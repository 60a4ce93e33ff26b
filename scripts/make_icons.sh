#!/usr/bin/env bash
# Renders the program icon's PNG sizes from app/icons/trailbook.svg (needs rsvg-convert from
# librsvg2-bin). The PNGs are committed, so the build itself does not need this script.
set -euo pipefail
cd "$(dirname "$0")/../app/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio trailbook.svg \
    --output "trailbook-$size.png"
done
