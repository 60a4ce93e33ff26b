#!/usr/bin/env bash
# Times `trailbook-album --positions` over a folder of camera-sized photos, and exiftool -fast2
# reading the same three values from the same files, both on warm cache.
#
#   bench/positions_bench.sh [COUNT] [EXIFTOOL_COUNT]      (defaults: 10000 and 500)
#
# BUILD_DIR (default build/) holds the built trailbook-album; the photos are made once by
# scripts/make_bench_photos.py into PHOTO_DIR (default $BUILD_DIR/bench-photos-COUNT). exiftool
# (Debian package libimage-exiftool-perl) is only used here, and only when installed; it reads
# the first EXIFTOOL_COUNT photos, and its time for COUNT photos is scaled from that.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-10000}
exiftool_count=${2:-500}
build=${BUILD_DIR:-build}
program=$build/bin/trailbook-album
photos=${PHOTO_DIR:-$build/bench-photos-$count}
[ -x "$program" ] || { echo "Build trailbook-album first: cmake --build $build" >&2; exit 2; }

python3 scripts/make_bench_photos.py "$photos" "$count"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best wall time of `runs` runs after one untimed run that warms the page cache, in ms.
best_ms() {
  local runs=$1 best=0 start end ms
  shift
  "$@" > /dev/null
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    if ((best == 0 || ms < best)); then best=$ms; fi
  done
  echo $((best > 0 ? best : 1))
}

size=$(stat -c %s "$photos/DSC00000.jpg")
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Photos:  $count files of $((size / 1000000)).$((size / 100000 % 10)) MB in $photos"
echo

ms=$(best_ms 3 "$program" --positions "$photos")
echo "trailbook-album --positions: $count photos in $ms ms = $((count * 1000 / ms)) photos/s"

if ! command -v exiftool > /dev/null; then
  echo "exiftool: not installed (apt-get install libimage-exiftool-perl), not compared"
  exit 0
fi
(cd "$photos" && ls DSC*.jpg | sed -n "1,${exiftool_count}p") | sed "s|^|$photos/|" > "$work/subset.txt"
exiftool_ms=$(best_ms 2 exiftool -fast2 -n -T -FilePath -GPSLatitude -GPSLongitude \
  -DateTimeOriginal -@ "$work/subset.txt")
rate=$((exiftool_count * 1000 / exiftool_ms))
echo "exiftool -fast2: $exiftool_count photos in $exiftool_ms ms = $rate photos/s" \
  "(so about $((count / (rate > 0 ? rate : 1))) s for $count)"
echo "trailbook-album --positions is $((count * exiftool_ms / exiftool_count / ms))x faster"

# Both must read the same values: compare the subset field by field (numbers to 1e-9 degrees).
exiftool -fast2 -n -T -FilePath -GPSLatitude -GPSLongitude -DateTimeOriginal \
  -@ "$work/subset.txt" > "$work/exiftool.tsv"
xargs -d '\n' "$program" --positions < "$work/subset.txt" > "$work/trailbook.tsv"
awk -F '\t' 'NR == FNR { lat[$1] = $2; lon[$1] = $3; when[$1] = $4; next }
  { n++; d1 = $3 - lat[$1]; d2 = $4 - lon[$1]
    if ($2 != 1 || d1 > 1e-9 || d1 < -1e-9 || d2 > 1e-9 || d2 < -1e-9 || $5 != when[$1]) bad++ }
  END { printf "Same values as exiftool: %d of %d photos\n", n - bad, n; exit bad > 0 }' \
  "$work/exiftool.tsv" "$work/trailbook.tsv"
