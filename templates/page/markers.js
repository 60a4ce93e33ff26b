// Markers: clusters, stacks and single photos from the clustering index, which is built off
// the page's own thread (see clusters.js).
import { start as startClusters } from './clusters.js';
import { byId, reducedMotion } from './dom.js';
import { formatCount, formatNumber, describeDateTime, plural } from './formats.js';
import { openGallery } from './gallery.js';
import { applyHash } from './links.js';
import { fitPadding, fitPlaces, map, MAX_ZOOM } from './map.js';
import { days, photoAt, selection, startPlace, endPlace, walk } from './photos.js';
import { openPhoto, markCurrent } from './popup.js';
import { markReady } from './tasks.js';
import { album, exposeActions, timing } from './test_hooks.js';
import { refreshTrail } from './trail.js';

// Markers closer than this many pixels join a cluster, at the deepest zoom too: what is
// still that close there (a burst taken while walking) opens as a gallery.
var CLUSTER_RADIUS = 60;
// Up to about this many photos the clustering index is built in the page itself: more would
// take the page's thread too long at a time (the worker, started while the page loads, is up
// by the time it is needed). The photos are counted by the length of their list of short
// positions (about POSITION_CHARS characters each), the first list the page looks at.
var IN_PAGE_INDEX_LIMIT = 1000, POSITION_CHARS = 20;
// From about this many photos the index's worker has time to warm up while the page reads
// its lists (see serveIndex).
var WARM_UP_FROM = 25000;

// Sends a request to the index (see clusters.js).
export var ask = null;
var indexReady = { all: null };

// Starts the index with the page's two position lists (their texts), which it reads; gives
// a promise of them as read ({ full, points }, each null when it cannot be read).
export function startIndex(pointsText, fullText) {
  var estimated = Math.ceil(pointsText.length / POSITION_CHARS);
  ask = startClusters(estimated > IN_PAGE_INDEX_LIMIT);
  return ask('positions', { full: fullText, points: pointsText,
    expected: estimated, warmUp: estimated >= WARM_UP_FROM, maxZoom: MAX_ZOOM, radius: CLUSTER_RADIUS })
    .catch(function () { return {}; });
}
// Hands the index the photos' positions by walk place (see indexData of photos.js, which
// `again` is, should the page have to make them afresh), and starts building the index of all.
export function initIndex(data, again) {
  function withSettings(message) {
    message.maxZoom = MAX_ZOOM;
    message.radius = CLUSTER_RADIUS;
    return message;
  }
  ask('init', withSettings(data), [data.lat.buffer, data.lng.buffer, data.fullLat.buffer, data.fullLng.buffer],
    function () { return withSettings(again()); });
  indexReady.all = buildIndex('all');
}

// Start and end stand as pins above their spot, so a stack there stays in reach.
function markerIcon(extra, html) {
  return L.divIcon({ className: 'tb-photo-marker' + extra, iconSize: extra ? [28, 44] : [24, 24],
    iconAnchor: extra ? [14, 46] : [12, 12],
    html: '<span aria-hidden="true">' + (html || '') + '</span>' });
}
var plainIcon, firstIcon, lastIcon, stemIcon;
function clusterIcon(n, stack) {
  var size = n < 10 ? 's' : n < 1000 ? 'm' : 'l';
  var px = size === 's' ? 34 : size === 'm' ? 42 : 50;
  return L.divIcon({
    className: 'tb-cluster tb-cluster-' + size + (stack ? ' tb-stack' : ''), iconSize: [px, px],
    html: '<span aria-hidden="true" data-count="' + n + '">' + formatCount(n) + '</span>'
  });
}
export function photoTitle(p) { return p.name + ', ' + describeDateTime(p.dateTime, p.parsed).text; }
function photoMarker(p, icon, role) {
  var marker = L.marker(p.latLng, {
    icon: icon, title: (role ? role + ': ' : '') + photoTitle(p), alt: p.name, keyboard: true,
    riseOnHover: true, zIndexOffset: role ? 10000 : 0
  });
  marker.photoIndex = p.index;
  marker.walkPlace = p.walk;
  marker.on('add', function () { marker._icon.dataset.index = p.index; });
  // However opened, the popup has the focus: the arrow keys and Escape work at once.
  marker.on('click', function () { openPhoto(p.index, true); });
  marker.on('keypress', function (e) {
    if (e.originalEvent.key === 'Enter') openPhoto(p.index, true);
  });
  return marker;
}

// The index of what is shown: 'all', or 'day' and the day's number.
export var indexKey = 'all';
var markerLayer, ends;
export var photoLayer = null;
var shown = new Map();           // marker key -> marker on the map
var placed = 0;
var progress, slowTimer = 0;

export function setUpMarkers() {
  plainIcon = markerIcon('');
  firstIcon = markerIcon(' tb-first', 'S');
  lastIcon = markerIcon(' tb-last', 'E');
  stemIcon = L.divIcon({ className: 'tb-stem', iconSize: [2, 20], iconAnchor: [1, 20], html: '' });
  markerLayer = L.layerGroup();
  ends = L.layerGroup();
  photoLayer = L.layerGroup([markerLayer, ends]).addTo(map);
  exposeActions({
    placed: function () { return placed + ends.getLayers().length / 2; },
    markerOf: markerOf
  });
  progress = byId('tb-progress');
}

// Markers of photo `index` on the map now (start, end or single), or null.
export function markerOf(index) {
  var found = null;
  ends.eachLayer(function (m) { if (m.photoIndex === index) found = m; });
  shown.forEach(function (m) { if (m.photoIndex === index) found = m; });
  return found;
}

// A pin and, under every other marker, its stem down to the photo's spot.
function addPin(p, icon, role) {
  ends.addLayer(photoMarker(p, icon, role));
  ends.addLayer(L.marker(p.latLng, { icon: stemIcon, interactive: false, keyboard: false,
    zIndexOffset: -100000 }));
}
function placeEnds() {
  ends.clearLayers();
  var s = startPlace(), e = endPlace();
  if (s >= 0) addPin(photoAt(walk[s]), firstIcon, 'Start');
  if (e >= 0) addPin(photoAt(walk[e]), lastIcon, 'End');
}
// What is shown changed (see chooseDay): its own index, start and end.
export function showSelection(day) {
  indexKey = day < 0 ? 'all' : 'day' + day;
}
export function replaceMarkers() {
  shown.forEach(function (marker) { markerLayer.removeLayer(marker); });
  shown = new Map();
  placeEnds();
}

function buildIndex(key) {
  if (!indexReady[key]) {
    var exclude = [startPlace(), endPlace()].filter(function (w) { return w >= 0; });
    indexReady[key] = ask('index', { key: key, from: selection.from, to: selection.to, exclude: exclude });
  }
  return indexReady[key];
}

var markerRequest = 0;
// Asks the index for what the view holds and replaces only the markers that changed.
export function refreshMarkers() {
  var request = ++markerRequest, key = indexKey, zoom = Math.round(map.getZoom());
  var b = map.getBounds().pad(0.3);
  var bbox = b.getEast() - b.getWest() >= 360 ? [-180, -85, 180, 85]
    : [b.getWest(), Math.max(-85, b.getSouth()), b.getEast(), Math.min(85, b.getNorth())];
  var done = buildIndex(key).then(function () {
    return ask('clusters', { key: key, bbox: bbox, zoom: zoom });
  }).then(function (reply) {
    if (request !== markerRequest) return;
    var next = new Map();
    reply.items.forEach(function (item) {
      var itemKey = item[4] >= 0 ? 'c' + item[4] : 'g' + item[5];
      var marker = shown.get(itemKey);
      if (!marker) marker = makeMarker(item, key, zoom);
      next.set(itemKey, marker);
    });
    shown.forEach(function (marker, k) { if (!next.has(k)) markerLayer.removeLayer(marker); });
    next.forEach(function (marker, k) { if (!shown.has(k)) markerLayer.addLayer(marker); });
    shown = next;
    orderForKeyboard();
    markCurrent();
  });
  album.settled = done;
  return done;
}
// The markers' tab order follows time: earliest photo first.
function orderForKeyboard() {
  var list = [];
  shown.forEach(function (m) { if (m._icon) list.push(m); });
  ends.eachLayer(function (m) { if (m._icon && m.photoIndex !== undefined) list.push(m); });
  list.sort(function (a, b) { return a.walkPlace - b.walkPlace; });
  list.forEach(function (m) {
    m._icon.dataset.walk = m.walkPlace;
    m._icon.parentNode.appendChild(m._icon);
  });
}

function makeMarker(item, key, zoom) {
  var latLng = L.latLng(item[1], item[0]), n = item[2], first = photoAt(walk[item[3]]);
  if (item[4] < 0 && n === 1) return photoMarker(first, plainIcon);
  var stack = item[4] < 0 || zoom >= MAX_ZOOM;
  var label = stack ? formatNumber(n) + ' photos taken here, from ' + photoTitle(first)
    : formatNumber(n) + ' photos, from ' + photoTitle(first);
  var marker = L.marker(latLng, { icon: clusterIcon(n, stack), title: label, alt: label, keyboard: true });
  marker.walkPlace = item[3];
  marker.clusterItem = item;
  function open(focus) { openCluster(item, key, latLng, focus, stack); }
  marker.on('click', function () { open(false); });
  marker.on('keypress', function (e) { if (e.originalEvent.key === 'Enter') open(true); });
  return marker;
}

// A cluster opens the gallery of its photos and zooms the map in to them, into the part of the
// map the gallery leaves free (on a phone its sheet covers the map's lower part); a stack
// (photos at one spot) only opens the gallery, and the map pans to bring it into that part.
function openCluster(item, key, latLng, focus, stack) {
  var where = stack ? ' taken at this spot' : ' here';
  var expanded = stack ? Promise.resolve(null) : ask('expansion', { key: key, clusterId: item[4] });
  Promise.all([ask('leaves', { key: key, clusterId: item[4], group: item[5] }), expanded]).then(function (replies) {
    var places = replies[0].walk;
    openGallery(places, plural(places.length, 'photo', 'photos') + where, focus);
    if (stack) {
      map.panInside(latLng, Object.assign({ animate: !reducedMotion }, fitPadding()));
    } else {
      fitPlaces(places, Math.min(replies[1].zoom, MAX_ZOOM));
    }
  });
}

// Says so when placing the photos takes a while.
export function watchPlacing() {
  slowTimer = setTimeout(function () { progress.textContent = ' placing photos\u2026'; }, 400);
}
// The markers come when the index is built and the page is set up (see main.js).
export function showMarkers() {
  placeEnds();
  indexReady.all.then(function (reply) {
    placed = reply.placed;
    timing('index');
    return refreshMarkers();
  }).then(function () {
    clearTimeout(slowTimer);
    progress.textContent = '';
    ['tb-fit', 'tb-first-photo', 'tb-here', 'tb-days-button'].forEach(function (id) {
      byId(id).disabled = false;
    });
    byId('tb-days-button').disabled = days.length === 0;
    map.on('moveend', function () { refreshMarkers(); refreshTrail(); });
    requestAnimationFrame(function () {
      markReady();
      applyHash();
    });
  }, function (error) {
    progress.textContent = ' the photos could not be placed: ' + error.message;
  });
}
