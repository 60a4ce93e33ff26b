#!/usr/bin/env bash
# Builds the .deb with CPack into a temporary folder, checks its declared dependencies and
# contents, then runs the trailbook-album it carries on the samples.
#   deb_package.sh BUILD_DIR SAMPLES_DIR
set -euo pipefail
build=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/out/trailbook_*_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6widgets6 libheif1 libc6 qt6-qpa-plugins; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
dpkg-deb -c "$deb" > "$work/contents.txt"
for entry in './usr/bin/trailbook -> ../lib/trailbook/trailbook' \
             './usr/bin/trailbook-album -> ../lib/trailbook/trailbook-album' \
             ./usr/lib/trailbook/templates/template.html \
             ./usr/lib/trailbook/trailbook-previews.so \
             ./usr/lib/trailbook/places/places.dat \
             ./usr/share/applications/org.example.Trailbook.desktop \
             ./usr/share/metainfo/org.example.Trailbook.metainfo.xml; do
  grep -qF -- "$entry" "$work/contents.txt" || fail "the package lacks $entry"
done

dpkg-deb -x "$deb" "$work/root"
mkdir "$work/trail"
cp "$samples"/*.JPG "$work/trail/"
"$work/root/usr/bin/trailbook-album" "$work/trail" > "$work/out.txt" ||
  fail "the packaged trailbook-album ended with $?"
page=$(tail -n 1 "$work/out.txt")
grep -q '"IMG_0101.JPG"' "$page" || fail "the page does not list the photos"
[ "$(ls "${page%.html}_previews" | wc -l)" -eq 16 ] || fail "the packaged program made no previews"
echo "built $(basename "$deb"): Depends: $depends"
