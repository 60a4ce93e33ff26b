// Links: the page's address names the photo shown, the day chosen and whether the viewer is
// open (see addresses.js), and going back and forth through them, or opening the page at one,
// shows that again.
//
// History: each photo opened in the popup, each day chosen and the viewer's opening add an
// entry, so Back undoes one of them; stepping through the photos in the viewer, and closing it
// by hand, replace the entry instead, so Back in the viewer only closes it (on the photo it
// shows) and never also steps back a photo.
import { hashText, parseHash, wellFormed } from './addresses.js';
import { chooseDay } from './days.js';
import { map } from './map.js';
import { dayOf, lists, nameOf, photoAt, selection, total, urlOf } from './photos.js';
import { openPhoto } from './popup.js';
import { album } from './test_hooks.js';
import { closeViewer, openViewer, viewerOpen } from './viewer.js';

// A writer's addresses tell apart photos of one name in different folders; the link holds
// the address decoded, so a photo beside the page goes by its name. Without addresses the key
// is the name, and no photo's object need be made for it.
function photoKey(index) {
  if (!lists.photoUrls) return wellFormed(nameOf(index));
  var url = urlOf(photoAt(index));
  try {
    return decodeURIComponent(url);
  } catch (e) {
    return url;  // bytes that are no UTF-8 text
  }
}
var keyToIndex = null;
var writtenHash = null, applying = false;
// The address of what is shown; a new history entry, or with `replace` in place of the one shown.
export function writeHash(replace) {
  if (!album.ready || applying) return;
  var text = hashText(selection.day, album.current === undefined ? undefined : photoKey(album.current),
    viewerOpen());
  if (text === writtenHash || text === location.hash) return;
  writtenHash = text;
  var address = text || location.pathname + location.search;
  if (replace) history.replaceState(history.state, '', address);
  else if (text) location.hash = text;
  else history.pushState(null, '', address);
}
export function applyHash() {
  if (location.hash === writtenHash) return;
  var fields = parseHash(location.hash);
  // Back from the viewer to the photo it was opened on closes it, on the photo it shows (see
  // above).
  if (viewerOpen() && !fields.view && fields.photo !== undefined) {
    closeViewer();
    writtenHash = location.hash;
    return;
  }
  writtenHash = location.hash;
  var day = fields.day ? parseInt(fields.day, 10) - 1 : -1;
  var index = -1;
  if (fields.photo !== undefined) {
    if (!keyToIndex) {
      keyToIndex = new Map();
      for (var k = total - 1; k >= 0; k--) keyToIndex.set(photoKey(k), k);
    }
    index = keyToIndex.has(fields.photo) ? keyToIndex.get(fields.photo) : -1;
  }
  if (index >= 0 && day >= 0 && dayOf[index] !== day) day = -1;
  // What is restored is written already: the steps below add no entry of their own.
  applying = true;
  if (!(fields.view && index >= 0)) closeViewer();
  var done = chooseDay(day, day >= 0 || index < 0 && day !== selection.day);
  if (index >= 0) {
    // The viewer opens at once; the photo's popup comes behind it, for when it closes.
    if (fields.view) openViewer(index);
    done.then(function () { return openPhoto(index, !viewerOpen()); });
  } else {
    map.closePopup();
    album.current = undefined;
  }
  applying = false;
}
export function setUpLinks() {
  window.addEventListener('hashchange', applyHash);
}
