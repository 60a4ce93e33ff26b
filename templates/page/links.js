// Links: the page's address names the photo shown and the day chosen (see addresses.js), and
// going back and forth through them, or opening the page at one, shows that photo and day.
import { hashText, parseHash, wellFormed } from './addresses.js';
import { chooseDay } from './days.js';
import { map } from './map.js';
import { dayOf, lists, nameOf, photoAt, selection, total, urlOf } from './photos.js';
import { openPhoto } from './popup.js';
import { album } from './test_hooks.js';
import { closeViewer } from './viewer.js';

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
var writtenHash = null;
export function writeHash() {
  if (!album.ready) return;
  var text = hashText(selection.day, album.current === undefined ? undefined : photoKey(album.current));
  if (text === writtenHash || text === location.hash) return;
  writtenHash = text;
  // A new history entry: Back returns to the photo before.
  if (text) location.hash = text;
  else history.pushState(null, '', location.pathname + location.search);
}
export function applyHash() {
  if (location.hash === writtenHash) return;
  var fields = parseHash(location.hash);
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
  closeViewer();
  var done = chooseDay(day, day >= 0 || index < 0 && day !== selection.day);
  if (index >= 0) done.then(function () { openPhoto(index, false); });
  else {
    map.closePopup();
    album.current = undefined;
  }
}
export function setUpLinks() {
  window.addEventListener('hashchange', applyHash);
}
