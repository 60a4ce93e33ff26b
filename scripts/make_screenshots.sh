#!/usr/bin/env bash
# Makes the README's screenshots from the sample trail:
#   docs/screenshots/window.png      the window after adding the samples through its dialog
#   docs/screenshots/album-page.png  the album page of that run, in headless Chromium with no
#                                    network (scripts/album_page_screenshot.mjs)
#   docs/screenshots/album-trip.png, album-trip-phone.png  the same page, desktop and phone, with
#                                    a photo of the second day open (scripts/album_trip_screenshots.mjs)
# The window runs under xvfb-run and is driven with xdotool (File > Add Photos..., then the
# file names typed into the dialog); a stand-in xdg-open keeps the page from opening a browser.
# Needs a built tree (BUILD_DIR, default build/), node_modules (scripts/install-deps.sh test) and:
# xvfb xauth xdotool imagemagick chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(cd "${BUILD_DIR:-build}" && pwd)
out=$root/docs/screenshots
for tool in xvfb-run xdotool import chromium node; do
  command -v "$tool" > /dev/null || { echo "$tool is missing (see scripts/install-deps.sh test)" >&2; exit 2; }
done
work=$(mktemp -d)
[ -n "${KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/trail" "$work/fake-bin"
cp samples/*.JPG "$work/trail/"

# What the window hands to the desktop is only noted.
cat > "$work/fake-bin/xdg-open" << EOF
#!/bin/sh
printf '%s\n' "\$1" >> "$work/opened.txt"
EOF
chmod +x "$work/fake-bin/xdg-open"

names=$(cd "$work/trail" && printf '"%s" ' *.JPG)
cat > "$work/drive.sh" << EOF
#!/usr/bin/env bash
set -euo pipefail
export PATH="$work/fake-bin:\$PATH" QT_QPA_PLATFORMTHEME= XDG_RUNTIME_DIR="$work"
"$build/bin/trailbook" &
app=\$!
window=\$(xdotool search --sync --onlyvisible --name '^Trailbook' | head -n 1)
xdotool windowmove "\$window" 40 30
sleep 1
xdotool windowactivate --sync "\$window" 2> /dev/null || xdotool windowfocus --sync "\$window"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key a
dialog=\$(xdotool search --sync --onlyvisible --name 'Open photo files' | head -n 1)
sleep 0.5
# The dialog's file name field has the focus: first the folder, then the names in it.
xdotool type --delay 5 "$work/trail/"
xdotool key Return
sleep 0.5
xdotool type --delay 5 '$names'
xdotool key Return
for _ in \$(seq 100); do [ -s "$work/opened.txt" ] && break; sleep 0.1; done
sleep 1
import -window "\$window" "$work/window.png"
kill \$app
EOF
xvfb-run --auto-servernum --server-args='-screen 0 1280x900x24' bash "$work/drive.sh"
[ -s "$work/opened.txt" ] || { echo "the window did not write a page" >&2; exit 1; }
page=$(head -n 1 "$work/opened.txt")
page=${page#file://}  # the window hands over a URL
convert "$work/window.png" -strip "$out/window.png"

# Offline, so the page shows its own map of coasts, borders and towns around the trail.
TRAILBOOK_CHROMIUM=$(command -v chromium) node scripts/album_page_screenshot.mjs "$page" "$work/album-page.png"
convert "$work/album-page.png" -strip "$out/album-page.png"

TRAILBOOK_CHROMIUM=$(command -v chromium) node scripts/album_trip_screenshots.mjs "$page" \
  "$work/album-trip.png" "$work/album-trip-phone.png"
convert "$work/album-trip.png" -strip "$out/album-trip.png"
convert "$work/album-trip-phone.png" -strip "$out/album-trip-phone.png"
echo "wrote $out/window.png, album-page.png, album-trip.png and album-trip-phone.png (page: $page)"
