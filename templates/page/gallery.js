// The gallery: the photos of a cluster or of the part of the map on screen, as a grid of
// previews in time order.
import { byId } from './dom.js';
import { formatTime, plural } from './formats.js';
import { map } from './map.js';
import { photoTitle } from './markers.js';
import { photoAt, previewOf, selection, showOriginalInstead, walk, walkLat, walkLng } from './photos.js';
import { exposeActions } from './test_hooks.js';
import { openViewer } from './viewer.js';

var GALLERY_BATCH = 60;

var gallery, grid;
var galleryState = { list: [], shown: 0, opener: null, observer: null };
// Opens the grid of the photos at the given walk places, in time order.
export function openGallery(places, title, moveFocus) {
  galleryState.list = places;
  galleryState.shown = 0;
  galleryState.opener = document.activeElement;
  byId('tb-gallery-title').textContent = title;
  grid.textContent = '';
  gallery.hidden = false;
  galleryMore();
  if (moveFocus) {
    var first = grid.querySelector('button');
    (first || byId('tb-gallery-close')).focus();
  }
}
// The next batch of tiles; the last tile's coming into view asks for more.
function galleryMore() {
  var list = galleryState.list, end = Math.min(list.length, galleryState.shown + GALLERY_BATCH);
  var fragment = document.createDocumentFragment();
  for (var k = galleryState.shown; k < end; k++) fragment.appendChild(galleryTile(walk[list[k]]));
  galleryState.shown = end;
  grid.appendChild(fragment);
  if (galleryState.observer) galleryState.observer.disconnect();
  if (end < list.length && window.IntersectionObserver) {
    galleryState.observer = new IntersectionObserver(function (entries) {
      if (entries.some(function (e) { return e.isIntersecting; })) galleryMore();
    }, { root: grid, rootMargin: '200px' });
    galleryState.observer.observe(grid.lastChild);
  }
}
// A photo's preview, loaded when it comes near the screen; its button carries the name.
export function thumbnail(p) {
  var img = document.createElement('img');
  img.loading = 'lazy';
  img.decoding = 'async';
  img.alt = '';
  img.addEventListener('error', function () { showOriginalInstead(img, p); });
  img.src = previewOf(p);
  return img;
}
function galleryTile(index) {
  var p = photoAt(index), item = document.createElement('li');
  var tile = document.createElement('button');
  tile.type = 'button';
  tile.className = 'tb-tile';
  tile.setAttribute('aria-label', photoTitle(p));
  tile.dataset.index = index;
  tile.appendChild(thumbnail(p));
  if (p.parsed) {
    var time = document.createElement('span');
    time.className = 'tb-tile-time';
    time.setAttribute('aria-hidden', 'true');
    time.textContent = formatTime(p.parsed, false);
    tile.appendChild(time);
  }
  tile.addEventListener('click', function () { openViewer(index, tile); });
  item.appendChild(tile);
  return item;
}
export function closeGallery() {
  if (gallery.hidden) return;
  gallery.hidden = true;
  if (galleryState.observer) galleryState.observer.disconnect();
  var opener = galleryState.opener;
  if (opener && document.contains(opener) && opener !== document.body) opener.focus();
}

export function setUpGallery() {
  gallery = byId('tb-gallery');
  grid = byId('tb-gallery-grid');
  exposeActions({ openGallery: openGallery });
  byId('tb-gallery-close').addEventListener('click', closeGallery);
  gallery.addEventListener('keydown', function (e) {
    if (e.key === 'Escape' && byId('tb-viewer').hidden) {
      e.preventDefault();
      closeGallery();
    }
  });
  // "Photos here": what the part of the map on screen holds.
  byId('tb-here').addEventListener('click', function () {
    var view = map.getBounds(), places = [];
    for (var w = selection.from; w < selection.to; w++) {
      if (view.contains([walkLat[w], walkLng[w]])) places.push(w);
    }
    openGallery(places, plural(places.length, 'photo', 'photos') + ' in this part of the map', true);
  });
}
