#!/usr/bin/env bash
# Makes the HEIC photos that the preview tests read, with Debian's tools: ImageMagick draws a
# picture whose left half is red and right half blue, heif-enc (libheif-examples) writes it as
# HEIC, once with a thumbnail item and once without, and exiftool (libimage-exiftool-perl) writes
# a GPS position and a capture time into each.
#
#   scripts/make_preview_photos.sh [FOLDER]      (default tests/album/samples)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-tests/album/samples}
mkdir -p "$folder"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 640x480 xc:red \( -size 320x480 xc:blue \) -geometry +320+0 -composite \
  -quality 90 "$work/base.jpg"
heif-enc -q 30 -t 160 "$work/base.jpg" -o "$folder/thumbnail.heic" > /dev/null
heif-enc -q 30 "$work/base.jpg" -o "$folder/no-thumbnail.heic" > /dev/null

minute=10
for photo in thumbnail.heic no-thumbnail.heic; do
  exiftool -q -overwrite_original -GPSLatitude=46.35 -GPSLatitudeRef=N -GPSLongitude=14.08 \
    -GPSLongitudeRef=E -DateTimeOriginal="2024:05:18 09:$minute:00" "$folder/$photo"
  minute=$((minute + 1))
done
ls -l "$folder"
