// The photo popup: a photo's preview, name, date-time and position, with steps to the photos
// before and after it in the walk; and the current photo, which the strip and the link follow.
import { chooseDay } from './days.js';
import { byId } from './dom.js';
import { formatNumber, formatPosition, describeDateTime } from './formats.js';
import { writeHash } from './links.js';
import { coveredPadding, keepView, map, mapElement, showAll } from './map.js';
import { ask, indexKey, markerOf, photoTitle, refreshMarkers } from './markers.js';
import { drawable, endPlace, photoAt, previewOf, selection, showOriginalInstead, sourceText, startPlace,
  total, urlOf, walk, walkOf } from './photos.js';
import { stripShow } from './strip.js';
import { album, exposeActions } from './test_hooks.js';
import { openViewer } from './viewer.js';

var popup = null, live = null;

export function setUpPopup() {
  popup = album.popup = L.popup({
    maxWidth: 260, minWidth: 240, offset: [0, -4], className: 'tb-popup',
    // Clear of the zoom buttons and layer menu above, and of the scale and credits below.
    autoPanPaddingTopLeft: [56, 90], autoPanPaddingBottomRight: [56, 36]
  });
  live = byId('tb-live');
  map.on('popupclose', function () { album.openIndex = undefined; });
  exposeActions({ revealPhoto: revealPhoto, openPhoto: openPhoto });
  document.addEventListener('keydown', popupKeys);
  byId('tb-fit').addEventListener('click', function () { map.closePopup(); showAll(); });
  byId('tb-first-photo').addEventListener('click', function () {
    openPhoto(walk[selection.from], true, 'next');
  });
}

function button(label, text, disabled, onClick) {
  var b = document.createElement('button');
  b.type = 'button';
  b.innerHTML = text;
  b.setAttribute('aria-label', label);
  b.disabled = disabled;
  b.addEventListener('click', function (e) {
    // The popup's content is replaced while this click is still on its way; stopped here, it
    // cannot reach the map as a click on the map, which would close the new popup.
    e.stopPropagation();
    onClick();
  });
  return b;
}
export function walkStep(index, step) {
  var w = walkOf[index] + step;
  return w >= selection.from && w < selection.to ? walk[w] : -1;
}
export function placeText(index) {
  return formatNumber(walkOf[index] - selection.from + 1) + ' / ' +
    formatNumber(selection.to - selection.from);
}

function popupContent(index, focusOn) {
  var p = photoAt(index);
  var figure = document.createElement('figure');
  figure.className = 'tb-photo';
  figure.setAttribute('aria-label', p.name);

  var link = document.createElement('a');
  link.className = 'tb-thumb';
  link.href = urlOf(p);
  link.title = 'View the photo';
  var shown = drawable(p);
  link.addEventListener('click', function (e) {
    if (!shown || e.ctrlKey || e.metaKey || e.shiftKey) return;
    e.preventDefault();
    openViewer(index, link);
  });
  var img = document.createElement('img');
  img.loading = 'lazy';
  img.decoding = 'async';
  img.width = 240;
  img.height = 180;
  img.alt = p.name;
  img.addEventListener('error', function () {
    if (showOriginalInstead(img, p)) return;
    figure.classList.add('tb-missing');
    link.appendChild(document.createTextNode('Photo not found'));
  });
  if (shown) {
    img.src = previewOf(p);
    link.appendChild(img);
  } else {
    figure.classList.add('tb-missing', 'tb-no-preview');
    link.title = 'Open the photo file';
    link.appendChild(document.createTextNode('No preview for this photo'));
  }
  figure.appendChild(link);

  var caption = document.createElement('figcaption');
  var nameLine = document.createElement('div');
  nameLine.className = 'tb-name';
  nameLine.textContent = p.name;
  var when = describeDateTime(p.dateTime, p.parsed);
  var dateLine = document.createElement('div');
  dateLine.className = 'tb-date' + (when.dated ? '' : ' tb-undated');
  dateLine.textContent = when.text;
  if (when.dated) dateLine.title = p.dateTime;
  var coords = document.createElement('div');
  coords.className = 'tb-coords';
  coords.textContent = formatPosition(p.position);
  caption.appendChild(nameLine);
  caption.appendChild(dateLine);
  caption.appendChild(coords);
  var source = document.createElement('div');
  source.className = 'tb-source';
  source.textContent = sourceText(p);
  if (source.textContent) caption.appendChild(source);
  figure.appendChild(caption);

  var nav = document.createElement('div');
  nav.className = 'tb-nav';
  var before = walkStep(index, -1), after = walkStep(index, 1);
  var prev = button('Previous photo', '&larr; Previous', before < 0, function () {
    openPhoto(before, true, 'prev');
  });
  var next = button('Next photo', 'Next &rarr;', after < 0, function () {
    openPhoto(after, true, 'next');
  });
  var where = document.createElement('span');
  where.className = 'tb-position';
  where.textContent = placeText(index);
  nav.appendChild(prev);
  nav.appendChild(where);
  nav.appendChild(next);
  figure.appendChild(nav);
  figure.focusTarget = focusOn === 'prev' && !prev.disabled ? prev
    : focusOn === 'next' && !next.disabled ? next : !next.disabled ? next : prev;
  return figure;
}

export function markCurrent() {
  document.querySelectorAll('.tb-photo-marker.tb-current').forEach(function (e) {
    e.classList.remove('tb-current');
  });
  var marker = album.current === undefined ? null : markerOf(album.current);
  if (marker && marker._icon) marker._icon.classList.add('tb-current');
}

export function announce(index) {
  var p = photoAt(index);
  live.textContent = 'Photo ' + placeText(index).replace(' / ', ' of ') + ': ' + photoTitle(p);
}
// Makes photo `index` the current one: strip, link and announcement follow (the link in a new
// history entry, or with `replace` in place of the one shown).
export function setCurrent(index, replace) {
  album.current = index;
  markCurrent();
  stripShow(index);
  writeHash(replace);
}

// The arrow keys step from the photo shown and Escape closes it, with the focus in the popup
// or on nothing (the popup's content is replaced, or the map zooms to the next photo with the
// popup closed meanwhile). Each press counts: a step goes on from the photo the one before
// asked for, shown or not yet; only the last of them is drawn.
function popupKeys(e) {
  var inPopup = e.target.closest && e.target.closest('.leaflet-popup');
  if (!inPopup && e.target !== document.body && e.target !== document.documentElement) return;
  if (e.altKey || e.ctrlKey || e.metaKey || !byId('tb-viewer').hidden) return;
  if (album.current === undefined || album.openIndex === undefined && !opening) return;
  var step = e.key === 'ArrowLeft' ? -1 : e.key === 'ArrowRight' ? 1 : 0;
  if (step) {
    var target = walkStep(album.current, step);
    if (target >= 0) openPhoto(target, true, step < 0 ? 'prev' : 'next');
  } else if (e.key === 'Escape') {
    closeAndRefocus(album.current);
  } else {
    return;
  }
  e.preventDefault();
  e.stopPropagation();
}

// Shows photo `index` in the popup, zooming in until it stands on its own (or in its stack);
// with `moveFocus`, the focus goes to the popup (to its `focusOn` step: 'prev' or 'next').
var openRequest = 0, opening = false;
export function openPhoto(index, moveFocus, focusOn) {
  if (!(index >= 0 && index < total)) return Promise.resolve();
  var p = photoAt(index);
  if (p.walk < selection.from || p.walk >= selection.to) chooseDay(-1, false, true);
  var request = ++openRequest;
  opening = true;
  setCurrent(index);
  announce(index);
  var show = function () {
    if (request !== openRequest) return;
    opening = false;
    var marker = markerOf(index);
    var content = popupContent(index, focusOn);
    popup.setLatLng(marker ? marker.getLatLng() : p.latLng).setContent(content).openOn(map);
    album.openIndex = index;
    if (moveFocus) content.focusTarget.focus({ preventScroll: true });
  };
  var marker = markerOf(index);
  if (marker && wellInView(marker.getLatLng())) {
    show();
    return Promise.resolve();
  }
  map.closePopup();
  return revealPhoto(index).then(show);
}
// On the map and clear of its controls and the tile notice.
function wellInView(latLng) {
  var at = map.latLngToContainerPoint(latLng), size = map.getSize();
  var bottom = Math.max(90, coveredPadding().bottom + 16);
  return at.x >= 56 && at.x <= size.x - 56 && at.y >= 90 && at.y <= size.y - bottom;
}
// Zooms the map until photo `index` stands in view on its own (or in its spot's stack).
export function revealPhoto(index) {
  var p = photoAt(index), marker = markerOf(index);
  keepView();
  map.stop();  // a pan still under way would carry the photo off the view
  if (marker && wellInView(marker.getLatLng())) return Promise.resolve();
  var zoom = Math.round(map.getZoom());
  var located = startPlace() === p.walk || endPlace() === p.walk ? Promise.resolve({ zoom: zoom })
    : ask('locate', { key: indexKey, w: p.walk, zoom: zoom });
  return located.then(function (reply) {
    map.setView(p.latLng, Math.max(reply.zoom, zoom), { animate: false });
    return refreshMarkers();
  });
}
// Closes the popup and gives the focus back to the photo's marker, for keyboard users.
function closeAndRefocus(index) {
  ++openRequest;  // a photo on its way stays away
  opening = false;
  map.closePopup();
  var marker = markerOf(index);
  if (marker && marker._icon) marker._icon.focus();
  else mapElement.focus();
}
