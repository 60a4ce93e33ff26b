#!/usr/bin/env bash
# Makes the small photos of each container kind that the EXIF reader's tests read, with Debian's
# tools: ImageMagick draws a 32 x 24 picture and writes TIFF, PNG and WebP, heif-enc (package
# libheif-examples) writes HEIC (with a thumbnail item) and AVIF, and exiftool (libimage-exiftool-perl) writes the GPS
# position and capture time into each. Each photo has its own time, so a test can tell them apart.
#
#   scripts/make_container_photos.sh [FOLDER]      (default tests/exif/samples)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-tests/exif/samples}
mkdir -p "$folder"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 32x24 gradient:sienna-skyblue -quality 80 "$work/base.jpg"
convert "$work/base.jpg" "$folder/photo.jpg"
convert "$work/base.jpg" -compress lzw "$folder/photo.tif"
convert "$work/base.jpg" -define tiff:endian=msb -compress lzw "$folder/photo-be.tif"
convert "$work/base.jpg" "$folder/photo.png"
convert "$work/base.jpg" -quality 60 "$folder/photo.webp"
heif-enc -q 40 -t 8 "$work/base.jpg" -o "$folder/photo.heic" > /dev/null
heif-enc -A -q 40 "$work/base.jpg" -o "$folder/photo.avif" > /dev/null

# 46° 21' 0" N, 14° 4' 48" E in the Julian Alps for all; the minute of the time tells the kind.
minute=10
for photo in photo.jpg photo.tif photo-be.tif photo.png photo.webp photo.heic photo.avif; do
  exiftool -q -overwrite_original -all= "$folder/$photo" 2> /dev/null || true
  exiftool -q -overwrite_original -GPSLatitude=46.35 -GPSLatitudeRef=N -GPSLongitude=14.08 \
    -GPSLongitudeRef=E -DateTimeOriginal="2024:05:18 08:$minute:00" "$folder/$photo"
  minute=$((minute + 1))
done
ls -l "$folder"
