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
// Fits the map to what is shown.
export function showAll() {
  var b = selection.day < 0 ? bounds : boundsOf(selection.from, selection.to);
  var trackBox = recordedTrack && recordedTrack.bounds(selection.day);
  if (trackBox) {
    b = L.latLngBounds(b.getSouthWest(), b.getNorthEast())
      .extend(L.latLngBounds([trackBox[0], trackBox[1]], [trackBox[2], trackBox[3]]));
  }
  if (selection.to - selection.from === 1 && !trackBox) map.setView(b.getCenter(), 16, { animate: false });
  // Room above for the start and end pins, and clear of the map's controls.
  else map.fitBounds(b, { paddingTopLeft: [60, 90], paddingBottomRight: [60, 60], maxZoom: 16, animate: false });
}
// The first view: all photos.
export function showFirstView() {
  bounds = album.bounds = boundsOf(0, total);
  if (total === 1 && !recordedTrack && validPoint(lists.first)) map.setView(lists.first, 16);
  else showAll();
}
