#!/usr/bin/env bash
# Peak memory and time of `trailbook-album --positions` over one large sparse TIFF whose
# directories lie far into it (made by scripts/make_far_directory_photos.py), for each file.
#
#   bench/far_directories_bench.sh
#
# BUILD_DIR (default build/) holds the built trailbook-album; the files go into
# $BUILD_DIR/bench-far-directories/ and cost a few KiB of disk. BASELINE=path/to/an/older/
# trailbook-album runs that one too, each file with both in turn.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
program=$build/bin/trailbook-album
photos=$build/bench-far-directories
[ -x "$program" ] || { echo "Build trailbook-album first: cmake --build $build" >&2; exit 2; }
python3 scripts/make_far_directory_photos.py "$photos"
programs=("$program")
[ -n "${BASELINE:-}" ] && programs+=("$BASELINE")

printf '%-32s %-9s %7s %10s %9s %s\n' file program result "peak MB" seconds position
for photo in "$photos"/*.tif; do
  for p in "${programs[@]}"; do
    label=this
    [ "$p" = "$program" ] || label=baseline
    report=$(mktemp)
    line=$(/usr/bin/time -f '%M %e' -o "$report" "$p" --positions "$photo" || true)
    read -r peak_kb seconds < <(tail -1 "$report")
    rm -f "$report"
    printf '%-32s %-9s %7s %10.1f %9s %s\n' "$(basename "$photo")" "$label" \
      "$(cut -f2 <<< "$line")" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')" "$seconds" \
      "$(cut -f3,4 <<< "$line" | tr '\t' ' ')"
  done
done
