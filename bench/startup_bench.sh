#!/usr/bin/env bash
# The start of trailbook-album and its --positions run over camera-sized photos, against the
# floor of the same two reads of each file (bench_two_reads_floor), on warm cache; with
# BASELINE, another build's trailbook-album takes its turn in every round too.
#
#   bench/startup_bench.sh [COUNT] [ROUNDS]        (defaults: 1000 photos, 40 rounds)
#   BASELINE=/tmp/old/trailbook-album bench/startup_bench.sh
#
# BUILD_DIR (default build/) holds the built programs; the photos are made once by
# scripts/make_bench_photos.py into PHOTO_DIR (default $BUILD_DIR/bench-photos-COUNT). Each
# round runs every command once, in turn, so that the machine's drift reaches all alike; the
# figures are the median and the range of the rounds' wall times, in ms.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
rounds=${2:-40}
build=${BUILD_DIR:-build}
program=$build/bin/trailbook-album
floor=$build/bin/bench_two_reads_floor
photos=${PHOTO_DIR:-$build/bench-photos-$count}
for built in "$program" "$floor" ${BASELINE:+"$BASELINE"}; do
  [ -x "$built" ] || { echo "$built is not built (cmake --build $build)" >&2; exit 2; }
done
python3 scripts/make_bench_photos.py "$photos" "$count"

labels=() commands=()
add() { labels+=("$1"); shift; commands+=("$*"); }
if [ -n "${BASELINE:-}" ]; then
  add "before: --help" "$BASELINE" --help
  add "before: --positions" "$BASELINE" --positions "$photos"
fi
add "now: --help" "$program" --help
add "now: --positions" "$program" --positions "$photos"
add "floor: two reads a file" "$floor" "$photos"

# Wall time of one run in microseconds, from the shell's own clock (no process around it).
run_us() {
  local start=$EPOCHREALTIME
  $1 > /dev/null
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}

declare -A times
for command in "${commands[@]}"; do $command > /dev/null; done  # warms the page cache
for ((round = 0; round < rounds; round++)); do
  for i in "${!commands[@]}"; do times[$i]+="$(run_us "${commands[$i]}") "; done
done

echo "Machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg); $count photos in $photos"
for built in ${BASELINE:+"$BASELINE"} "$program"; do
  echo "$built maps $(ldd "$built" | grep -c '=>') libraries at start"
done
printf '%-26s %10s %22s\n' "$rounds rounds" "median ms" "range ms"
for i in "${!commands[@]}"; do
  sorted=($(tr ' ' '\n' <<< "${times[$i]}" | grep . | sort -n))
  n=${#sorted[@]}
  ms() { printf '%d.%d' $(($1 / 1000)) $(($1 / 100 % 10)); }
  printf '%-26s %10s %22s\n' "${labels[$i]}" "$(ms "${sorted[n / 2]}")" \
    "$(ms "${sorted[0]}") - $(ms "${sorted[n - 1]}")"
done
