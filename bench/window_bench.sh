#!/usr/bin/env bash
# The window against trailbook-album over the same photos, in turn:
#   bench/window_bench.sh [COUNT...]        # default: 10000 100000
# Makes COUNT small photos with an EXIF thumbnail (scripts/make_camera_photos.py, 160x120, kept in
# $WORK for the next time), then for each of $ROUNDS rounds (default 3) times
#   trailbook-album FOLDER                   (from its start to its end, /usr/bin/time), and
#   bench_window FOLDER under xvfb-run       (the real window: File > Add Folder..., from the
#                                             menu choice to the page handed to the shell)
# with the program's own template, so both make the previews. Each run gets a fresh folder of
# hard links to the photos, kept until the end (nothing is deleted between runs: on a file system
# without a journal, creating many files just after deleting many is several times slower), so
# no run reuses another's previews. BENCH_WINDOW_ARGS=--files drives Add Photos with every file
# instead; --gaps lists each pause of the window's event loop of 50 ms or more. KEEP=1 leaves
# the runs' folders in place.
# Needs a build with -DTRAILBOOK_TESTS=ON, xvfb-run (xvfb, xauth) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${BUILD_DIR:-build}" && pwd)
work=${WORK:-/tmp/trailbook-window-bench}
rounds=${ROUNDS:-3}
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(10000 100000)
for tool in xvfb-run convert /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "$tool is missing" >&2; exit 2; }
done
mkdir -p "$work"
runs=()
[ -n "${KEEP:-}" ] || trap 'rm -rf "${runs[@]}"' EXIT

run_command() {
  /usr/bin/time -o "$work/time.txt" -f "%e %M %U %S" "$build/bin/trailbook-album" "$1" > /dev/null
  read -r seconds peak_kb user system < "$work/time.txt"
  awk -v s="$seconds" -v m="$peak_kb" -v u="$user" -v y="$system" \
    'BEGIN { printf "command: %.2f s, peak %d MB, cpu %.2f s\n", s, m / 1024, u + y }'
}

run_window() {
  # shellcheck disable=SC2086
  xvfb-run -a -s '-screen 0 1024x768x24' "$build/bin/bench_window" ${BENCH_WINDOW_ARGS:-} "$1" \
    2> /dev/null
}

for count in "${counts[@]}"; do
  photos=$work/photos-$count
  scripts/make_camera_photos.py "$photos" "$count" thumbnail 160x120
  echo "== $count photos, load average $(cut -d' ' -f1-3 /proc/loadavg)"
  for round in $(seq "$rounds"); do
    run=$work/run-$$-$count-$round
    for who in command window; do
      runs+=("$run-$who")
      cp -al "$photos" "$run-$who"
    done
    # The two take turns at going first.
    if [ $((round % 2)) -eq 1 ]; then
      run_command "$run-command"
      run_window "$run-window"
    else
      run_window "$run-window"
      run_command "$run-command"
    fi
  done
  echo "   load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
done
