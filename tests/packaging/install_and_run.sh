#!/usr/bin/env bash
# Installs the build into a temporary prefix and makes an album of the samples with the
# installed trailbook-album, reached through its link in bin/.
#   install_and_run.sh BUILD_DIR SAMPLES_DIR
set -euo pipefail
build=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > "$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install"; }

prefix=$work/prefix
for file in lib/trailbook/trailbook lib/trailbook/trailbook-album lib/trailbook/trailbook-previews.so \
            lib/trailbook/templates/template.html lib/trailbook/places/places.dat \
            lib/trailbook/ini/t.txt lib/trailbook/readme.txt \
            share/applications/org.example.Trailbook.desktop \
            share/metainfo/org.example.Trailbook.metainfo.xml \
            share/icons/hicolor/48x48/apps/org.example.Trailbook.png \
            share/icons/hicolor/scalable/apps/org.example.Trailbook.svg; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for program in trailbook trailbook-album; do
  [ "$(readlink "$prefix/bin/$program")" = "../lib/trailbook/$program" ] ||
    fail "bin/$program is not a relative link to lib/trailbook/$program"
done

# Photos of both sample days in a folder of their own, like a user's; the page lands beside them.
mkdir "$work/trail"
cp "$samples"/*.JPG "$work/trail/"
status=0
(cd "$work" && "$prefix/bin/trailbook-album" trail) > "$work/out.txt" 2> "$work/err.txt" || status=$?
[ "$status" -eq 0 ] || { cat "$work/err.txt" >&2; fail "trailbook-album ended with $status"; }
page=$(tail -n 1 "$work/out.txt")
[ "$(dirname "$page")" = "$work/trail" ] || fail "the page is not beside the photos: $page"
grep -q '"IMG_0101.JPG"' "$page" || fail "the page does not list the photos"
grep -q 'Total added 16 photos in this album.' "$work/out.txt" || fail "unexpected log"
# The previews come from the decoder module beside the real program, not beside the link.
[ "$(ls "${page%.html}_previews" | wc -l)" -eq 16 ] || { cat "$work/err.txt" >&2; fail "no previews"; }
# The place data is found beside the installed program, through its link.
printf 'places=[{vorn_places}]' > "$work/places.html"
"$prefix/bin/trailbook-album" --template "$work/places.html" "$work/trail" > "$work/places.txt" ||
  fail "trailbook-album with a place template"
grep -q '"Bled","Slovenia"' "$(tail -n 1 "$work/places.txt")" || fail "the page names no places"
echo "installed trailbook-album wrote $page"
