#!/usr/bin/env bash
# Makes the sample trail's second day (samples/IMG_0201.JPG to IMG_0205.JPG): copies of five
# first-day photos, made smaller, with the next day's capture times and positions that carry
# the walk on west along the lake shore. exiftool writes the new date-times and GPS fields into
# the EXIF block make_samples.py wrote. The output is committed, like the first day's photos.
#   scripts/make_sample_second_day.sh [folder]     (default: samples/ of the checkout)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-samples}
k=1
# source photo, latitude, longitude, time on 19 May 2024
while read -r source lat lng time; do
  out=$folder/IMG_020$k.JPG
  convert "$folder/$source" -resize 640x -quality 72 "$out"
  exiftool -q -overwrite_original -DateTimeOriginal="2024:05:19 $time" -CreateDate="2024:05:19 $time" \
    -GPSLatitude="$lat" -GPSLatitudeRef=N -GPSLongitude="$lng" -GPSLongitudeRef=E "$out"
  k=$((k + 1))
done << 'LIST'
IMG_0102.JPG 46.365420 14.107310 09:12:40
IMG_0111.JPG 46.362310 14.086920 09:48:05
IMG_0109.JPG 46.360870 14.080150 10:21:33
IMG_0104.JPG 46.359640 14.073480 10:57:19
IMG_0106.JPG 46.357980 14.067020 11:36:52
LIST
