// The map, and its view of what is shown.
import { byId, reducedMotion } from './dom.js';
import { validPoint } from './lists.js';
import { lists, recordedTrack, selection, total, walkLat, walkLng } from './photos.js';
import { album } from './test_hooks.js';

export var MAX_ZOOM = 19;
export var map = null, mapElement = null;
var bounds = null;

export function createMap() {
  mapElement = byId('map');
  map = album.map = L.map(mapElement, {
    maxZoom: MAX_ZOOM, minZoom: 1, zoomControl: true, worldCopyJump: true,
    zoomAnimation: !reducedMotion, fadeAnimation: !reducedMotion, markerZoomAnimation: !reducedMotion
  });
  map.attributionControl.setPrefix('<a href="https://leafletjs.com">Leaflet</a>');
  // The header wraps and the strip comes and goes: the map follows its box's size.
  if (window.ResizeObserver) new ResizeObserver(function () { map.invalidateSize(false); }).observe(mapElement);
  L.control.scale({ maxWidth: 140 }).addTo(map);
  ['pointerdown', 'keydown', 'wheel'].forEach(function (type) {
    document.addEventListener(type, keepView, { capture: true, passive: true });
  });
}

function boundsOf(from, to) {
  var s = 90, n = -90, west = 180, east = -180;
  for (var w = from; w < to; w++) {
    var lat = walkLat[w], lng = walkLng[w];
    if (lat < s) s = lat;
    if (lat > n) n = lat;
    if (lng < west) west = lng;
    if (lng > east) east = lng;
  }
  return L.latLngBounds([s, west], [n, east]);
}
// The part of the map's box that the tile notice and the gallery cover, as padding (px) for
// fitting: the gallery's sheet at the bottom of a phone's map or its panel at the right, and the
// notice at the bottom.
export function coveredPadding() {
  var box = mapElement.getBoundingClientRect(), covered = { top: 0, right: 0, bottom: 0, left: 0 };
  var notice = byId('tb-notice'), gallery = byId('tb-gallery');
  // The notice stands at the bottom of a narrow map (at the top of a wide one, in the band kept
  // free for the pins).
  var noticeTop = notice && !notice.hidden ? notice.getBoundingClientRect().top : box.bottom;
  if (noticeTop > box.top + box.height / 2) covered.bottom = box.bottom - noticeTop;
  if (gallery && !gallery.hidden) {
    var sheet = gallery.getBoundingClientRect();
    if (sheet.top > box.top + 1) covered.bottom = Math.max(covered.bottom, box.bottom - sheet.top);
    else covered.right = Math.max(0, box.right - sheet.left);
  }
  return covered;
}
// Padding for fitting photos into the free part of the map: room for the start and end pins
// above their spot and clear of the map's controls; a narrow map (a phone's) keeps less of it,
// so that the photos fill it.
export function fitPadding() {
  var narrow = map.getSize().x < 600, covered = coveredPadding();
  var margin = narrow ? 24 : 60, bottom = narrow ? 20 : 60;
  // Beside what covers the map, a marker's half is room enough.
  function clear(base, cover) { return cover ? Math.max(base, cover + 24) : base; }
  return {
    paddingTopLeft: [margin, narrow ? 56 : 90],
    paddingBottomRight: [clear(margin, covered.right), clear(bottom, covered.bottom)]
  };
}
// Fits the map to what is shown.
var fitted = null;
export function showAll() {
  var b = selection.day < 0 ? bounds : boundsOf(selection.from, selection.to);
  var trackBox = recordedTrack && recordedTrack.bounds(selection.day);
  if (trackBox) {
    b = L.latLngBounds(b.getSouthWest(), b.getNorthEast())
      .extend(L.latLngBounds([trackBox[0], trackBox[1]], [trackBox[2], trackBox[3]]));
  }
  if (selection.to - selection.from === 1 && !trackBox) map.setView(b.getCenter(), 16, { animate: false });
  else map.fitBounds(b, Object.assign({ maxZoom: 16, animate: false }, fitPadding()));
  fitted = { center: map.getCenter(), zoom: map.getZoom() };
}
// The view is the reader's from their first touch, key or wheel on the page, or once a photo was
// brought into view: nothing fits it again by itself from then on.
export function keepView() { fitted = null; }
// Fits again when something came over the map (the tile notice) while it still shows the view
// it was fitted to, with no photo open.
export function refitIfUntouched() {
  if (!fitted || !coveredPadding().bottom || album.openIndex !== undefined || map.getZoom() !== fitted.zoom ||
      map.project(map.getCenter()).distanceTo(map.project(fitted.center)) > 2) return;
  showAll();
}
// Fits photos at walk places `places` into the free part of the map (see coveredPadding), at
// zoom `maxZoom` at most.
export function fitPlaces(places, maxZoom) {
  var b = L.latLngBounds([]);
  places.forEach(function (w) { b.extend([walkLat[w], walkLng[w]]); });
  if (!b.isValid()) return;
  map.fitBounds(b, Object.assign({ maxZoom: maxZoom, animate: !reducedMotion }, fitPadding()));
}
// The first view: all photos.
export function showFirstView() {
  bounds = album.bounds = boundsOf(0, total);
  if (total === 1 && !recordedTrack && validPoint(lists.first)) map.setView(lists.first, 16);
  else showAll();
}
