#!/usr/bin/env bash
# Files per second of the EXIF reader over a folder of camera-sized photos on warm cache, against
# a plain whole-file read of the same files; fails when the reader is not ten times as fast.
#
#   scripts/bench_exif.sh [COUNT] [SECONDS]      (defaults: 1000 photos, 2 s per measurement)
#
# BUILD_DIR (default build/) is configured if need be and only the benchmark is built in it.
# The photos (about 6.4 MB each, written whole) are made once by scripts/make_camera_photos.py
# into PHOTO_DIR (default $BUILD_DIR/bench-camera-photos-COUNT). They take COUNT x 6.4 MB of disk
# and must all fit in the page cache at once: when they do not, the whole-file read measures the
# disk instead.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
seconds=${2:-2}
build=${BUILD_DIR:-build}
photos=${PHOTO_DIR:-$build/bench-camera-photos-$count}

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target bench_photo_folder
python3 scripts/make_camera_photos.py "$photos" "$count"
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
"$build/bin/bench_photo_folder" "$photos" "$seconds"
