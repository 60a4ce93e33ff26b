// The strip of photos in time order.
// Only the thumbnails in sight are made, so the strip costs the same for 10 or 100000 photos.
import { byId } from './dom.js';
import { thumbnail } from './gallery.js';
import { photoTitle } from './markers.js';
import { days, photoAt, selection, walk, walkOf } from './photos.js';
import { openPhoto, walkStep } from './popup.js';
import { album } from './test_hooks.js';

var STRIP_STEP = 72;

var strip, track;
var stripFrame = 0;
export function stripLayout() {
  track.style.width = ((selection.to - selection.from) * STRIP_STEP + 8) + 'px';
  stripRender();
}
function stripRender() {
  stripFrame = 0;
  var first = Math.max(0, Math.floor(strip.scrollLeft / STRIP_STEP) - 4);
  var last = Math.min(selection.to - selection.from,
    Math.ceil((strip.scrollLeft + strip.clientWidth) / STRIP_STEP) + 4);
  var keep = {};
  track.querySelectorAll('.tb-strip-item').forEach(function (item) {
    var k = +item.dataset.place;
    if (k < first || k >= last || item.dataset.selection !== String(selection.day)) {
      if (item !== document.activeElement) item.remove();
      else keep[k] = item;
    } else {
      keep[k] = item;
    }
  });
  for (var k = first; k < last; k++) {
    if (!keep[k]) track.appendChild(stripItem(k));
  }
  var items = Array.prototype.slice.call(track.children);
  items.sort(function (a, b) { return a.dataset.place - b.dataset.place; });
  items.forEach(function (item) {
    var current = walk[selection.from + (+item.dataset.place)] === album.current;
    item.setAttribute('aria-current', current ? 'true' : 'false');
    track.appendChild(item);
  });
}
function stripItem(k) {
  var index = walk[selection.from + k], p = photoAt(index);
  var item = document.createElement('button');
  item.type = 'button';
  item.className = 'tb-strip-item';
  item.dataset.place = k;
  item.dataset.selection = selection.day;
  item.dataset.index = index;
  item.style.left = (4 + k * STRIP_STEP) + 'px';
  item.setAttribute('aria-label', photoTitle(p));
  item.appendChild(thumbnail(p));
  if (p.day >= 0) {
    var bar = document.createElement('span');
    bar.className = 'tb-strip-day';
    bar.style.background = days[p.day].colour;
    item.appendChild(bar);
  }
  // By mouse, touch or Enter: the popup takes the focus, so that the arrow keys and Escape
  // work on it at once (the arrow keys on an item that has the focus step the strip).
  item.addEventListener('click', function () { openPhoto(index, true); });
  item.addEventListener('keydown', function (e) {
    var step = e.key === 'ArrowRight' ? 1 : e.key === 'ArrowLeft' ? -1 : 0;
    var target = step ? walkStep(index, step) : -1;
    if (target < 0) return;
    e.preventDefault();
    openPhoto(target, false).then(function () {
      var next = track.querySelector('[data-index="' + target + '"]');
      if (next) next.focus({ preventScroll: true });
    });
  });
  return item;
}
// Highlights photo `index` in the strip and scrolls it into view.
export function stripShow(index) {
  var k = walkOf[index] - selection.from;
  var left = 4 + k * STRIP_STEP;
  if (left < strip.scrollLeft || left + STRIP_STEP > strip.scrollLeft + strip.clientWidth) {
    strip.scrollLeft = Math.max(0, left - (strip.clientWidth - STRIP_STEP) / 2);
  }
  stripRender();
}

export function setUpStrip() {
  strip = byId('tb-strip');
  track = byId('tb-strip-track');
  strip.addEventListener('scroll', function () {
    if (!stripFrame) stripFrame = requestAnimationFrame(stripRender);
  }, { passive: true });
  window.addEventListener('resize', function () {
    if (!stripFrame) stripFrame = requestAnimationFrame(stripRender);
  });
  stripLayout();
}

// Back to its start (what is shown changed).
export function stripRewind() { strip.scrollLeft = 0; }
