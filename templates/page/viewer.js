// The full-window viewer of one photo, with steps to the photos before and after it.
import { byId } from './dom.js';
import { describeDateTime } from './formats.js';
import { writeHash } from './links.js';
import { photoAt, sourceText, urlOf } from './photos.js';
import { announce, openPhoto, placeText, setCurrent, walkStep } from './popup.js';
import { album, exposeActions } from './test_hooks.js';

var viewer, viewerImg;
var viewerState = { index: -1, opener: null, startX: null };
// While the viewer is open the page behind it is inert: it takes no focus or clicks and
// assistive technology sees the viewer alone, as a modal dialog should be.
function setPageBehindInert(inert) {
  document.querySelectorAll('body > .tb-header, body > .tb-main, body > .tb-strip')
    .forEach(function (part) { part.inert = inert; });
}
export function viewerOpen() { return !!viewer && !viewer.hidden; }
// Opens the viewer on photo `index` (in a new history entry), or shows that photo in it when it
// is open (in place of the entry shown: see links.js).
export function openViewer(index, opener) {
  var stepping = !viewer.hidden;
  if (!stepping) viewerState.opener = opener || document.activeElement;
  setPageBehindInert(true);
  viewerState.index = index;
  var p = photoAt(index);
  viewer.hidden = false;
  viewerImg.removeAttribute('src');
  viewerImg.alt = p.name;
  viewerImg.src = urlOf(p);
  byId('tb-viewer-name').textContent = p.name;
  byId('tb-viewer-date').textContent = describeDateTime(p.dateTime, p.parsed).text;
  byId('tb-viewer-position').textContent = placeText(index);
  byId('tb-viewer-source').textContent = sourceText(p);
  byId('tb-viewer-original').href = urlOf(p);
  byId('tb-viewer-prev').disabled = walkStep(index, -1) < 0;
  byId('tb-viewer-next').disabled = walkStep(index, 1) < 0;
  // The neighbours load meanwhile, so stepping on shows them at once.
  [-1, 1].forEach(function (step) {
    var other = walkStep(index, step);
    if (other >= 0) new Image().src = urlOf(photoAt(other));
  });
  setCurrent(index, stepping);
  announce(index);
  if (!viewer.contains(document.activeElement)) byId('tb-viewer-close').focus();
}
function viewerStep(step) {
  var other = walkStep(viewerState.index, step);
  if (other >= 0) openViewer(other);
}
export function closeViewer() {
  if (viewer.hidden) return;
  viewer.hidden = true;
  setPageBehindInert(false);
  viewerImg.removeAttribute('src');
  if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
  writeHash(true);
  // Back on the photo the viewer showed: in its popup when it was opened from there.
  var opener = viewerState.opener, popupOpener = opener && opener.closest && opener.closest('.leaflet-popup');
  if (opener && document.contains(opener) && opener !== document.body &&
      !(popupOpener && album.openIndex !== album.current)) opener.focus({ preventScroll: true });
  else if (album.current !== undefined) openPhoto(album.current, true);
}

export function setUpViewer() {
  viewer = byId('tb-viewer');
  viewerImg = byId('tb-viewer-img');
  exposeActions({ openViewer: openViewer });
  byId('tb-viewer-prev').addEventListener('click', function () { viewerStep(-1); });
  byId('tb-viewer-next').addEventListener('click', function () { viewerStep(1); });
  byId('tb-viewer-close').addEventListener('click', closeViewer);
  byId('tb-viewer-full').addEventListener('click', function () {
    if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
    else if (viewer.requestFullscreen) viewer.requestFullscreen().catch(function () {});
  });
  viewerImg.addEventListener('error', function () {
    if (viewerImg.getAttribute('src')) byId('tb-viewer-date').textContent += ' \u00b7 photo not found';
  });
  // Escape, the arrow keys and Tab work wherever the focus is while the viewer is open.
  document.addEventListener('keydown', function (e) {
    if (viewer.hidden) return;
    if (e.key === 'Escape') closeViewer();
    else if (e.key === 'ArrowLeft') viewerStep(-1);
    else if (e.key === 'ArrowRight') viewerStep(1);
    else if (e.key === 'Tab') {
      var focusable = viewer.querySelectorAll('button:not([disabled]), a[href]');
      var firstOne = focusable[0], lastOne = focusable[focusable.length - 1];
      if (!viewer.contains(document.activeElement)) firstOne.focus();
      else if (e.shiftKey && document.activeElement === firstOne) lastOne.focus();
      else if (!e.shiftKey && document.activeElement === lastOne) firstOne.focus();
      else return;
    } else return;
    e.preventDefault();
    e.stopPropagation();
  }, true);
  // A swipe to either side steps through the photos.
  var stage = byId('tb-viewer-stage');
  stage.addEventListener('pointerdown', function (e) { viewerState.startX = e.clientX; });
  stage.addEventListener('pointerup', function (e) {
    if (viewerState.startX === null) return;
    var dx = e.clientX - viewerState.startX;
    viewerState.startX = null;
    if (Math.abs(dx) > 50) viewerStep(dx < 0 ? 1 : -1);
  });
}
