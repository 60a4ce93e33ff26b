#!/usr/bin/env bash
# Renders the program icon's PNG sizes from app/icons/trailbook.svg (needs rsvg-convert from
# librsvg2-bin), and the Windows .ico from them (ImageMagick). They are committed, so the build
# itself does not need this script.
set -euo pipefail
cd "$(dirname "$0")/../app/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio trailbook.svg \
    --output "trailbook-$size.png"
done
# The Windows program icon holds the same sizes (ImageMagick).
convert trailbook-16.png trailbook-24.png trailbook-32.png trailbook-48.png trailbook-64.png \
  trailbook-128.png trailbook-256.png trailbook.ico
