#!/usr/bin/env bash
# Times `trailbook-album --positions` over camera-sized HEIC and raw photos against JPEG photos of
# the same kind of folder, on warm cache, and counts the bytes it reads per photo.
#
#   bench/container_positions_bench.sh [COUNT]      (default: 1000 photos of each kind)
#
# BUILD_DIR (default build/) holds the built trailbook-album. The JPEG photos (6.4 MB) come from
# scripts/make_bench_photos.py, the HEIC (3.5 MB) and raw (25 MB) ones from
# scripts/make_container_bench_photos.py, all made once into $BUILD_DIR/bench-containers-COUNT/.
# Bytes read are the read() bytes the kernel counts for the process (rchar), less those of a run
# over an empty folder (the program's own start-up), divided by COUNT.
# BASELINE=path/to/an/older/trailbook-album runs that one too, in the same rounds, for figures
# side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
build=${BUILD_DIR:-build}
program=$build/bin/trailbook-album
photos=${PHOTO_DIR:-$build/bench-containers-$count}
[ -x "$program" ] || { echo "Build trailbook-album first: cmake --build $build" >&2; exit 2; }

python3 scripts/make_bench_photos.py "$photos/jpeg" "$count"
python3 scripts/make_container_bench_photos.py "$photos" "$count"
mkdir -p "$photos/empty"

# Wall time of one run, in microseconds.
run_us() {
  local start end
  start=$(date +%s%N)
  "$2" --positions "$1" > /dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

# Bytes the command reads through read() calls, children included once they are waited for.
bytes_read() {
  bash -c 'before=$(awk "/^rchar/ {print \$2}" /proc/$$/io); "$@" > /dev/null
           after=$(awk "/^rchar/ {print \$2}" /proc/$$/io); echo $((after - before))' - "$@"
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Load:    $(cut -d' ' -f1-3 /proc/loadavg)"
programs=("$program")
[ -n "${BASELINE:-}" ] && programs+=("$BASELINE")
kinds=(jpeg heic raw)
declare -A best size base
for p in "${programs[@]}"; do
  base[$p]=$(bytes_read "$p" --positions "$photos/empty" 2> /dev/null || true)
done
for kind in "${kinds[@]}"; do
  folder=$photos/$kind
  first=$(find "$folder" -maxdepth 1 -type f ! -name '.*' -print -quit)
  size[$kind]=$(stat -c %s "$first")
  for p in "${programs[@]}"; do
    # The untimed run warms the page cache and checks that every photo is read.
    found=$("$p" --positions "$folder" | awk -F'\t' '$2 == 1 && $3 != 0' | wc -l)
    [ "$found" -eq "$count" ] || { echo "$kind: only $found of $count photos read" >&2; exit 1; }
    best[$p,$kind]=0
  done
done
# The kinds and programs take turns, so that the load of a shared machine falls on each alike;
# best of 7.
for ((round = 0; round < 7; round++)); do
  for kind in "${kinds[@]}"; do
    for p in "${programs[@]}"; do
      us=$(run_us "$photos/$kind" "$p")
      if ((best[$p,$kind] == 0 || us < best[$p,$kind])); then best[$p,$kind]=$us; fi
    done
  done
done
printf '%-9s %-6s %6s %8s %8s %9s %8s %7s %s\n' program kind photos "MB each" "best ms" \
  "us/photo" "photos/s" "x JPEG" "bytes read/photo"
for p in "${programs[@]}"; do
  label=this
  [ "$p" = "$program" ] || label=baseline
  for kind in "${kinds[@]}"; do
    read_bytes=$(($(bytes_read "$p" --positions "$photos/$kind") - base[$p]))
    printf '%-9s %-6s %6d %8s %8s %9s %8s %7s %d\n' "$label" "$kind" "$count" \
      "$(awk -v s="${size[$kind]}" 'BEGIN { printf "%.1f", s / 1e6 }')" \
      "$(awk -v u="${best[$p,$kind]}" 'BEGIN { printf "%.0f", u / 1000 }')" \
      "$(awk -v u="${best[$p,$kind]}" -v n="$count" 'BEGIN { printf "%.1f", u / n }')" \
      "$(awk -v u="${best[$p,$kind]}" -v n="$count" 'BEGIN { printf "%.0f", n * 1e6 / u }')" \
      "$(awk -v u="${best[$p,$kind]}" -v j="${best[$p,jpeg]}" 'BEGIN { printf "%.2f", u / j }')" \
      $((read_bytes / count))
  done
done
