// The photos given to the album that are not on the map: the header's figure is a button that
// opens a note on them, with how many there are and why a photo is left out, and, where the
// writer listed them (tb-unplaced-list), each one's name, date and a small picture of it when
// the browser draws its kind.
import { byId } from './dom.js';
import { describeDateTime, formatNumber, plural } from './formats.js';
import { UNDRAWN_KINDS } from './undrawn_kinds.js';

// The list is made when the note is first opened, of at most this many photos.
var LISTED = 1000;

function listPhotos(photos) {
  var list = byId('tb-unplaced-photos');
  photos.slice(0, LISTED).forEach(function (photo) {
    var item = document.createElement('li'), caption = document.createElement('span');
    var name = photo[0], dateTime = photo[1], url = photo[2];
    if (!UNDRAWN_KINDS.test(name)) {
      var img = document.createElement('img');
      img.loading = 'lazy';
      img.alt = '';
      img.src = url;
      img.addEventListener('error', function () { img.remove(); });
      item.appendChild(img);
    }
    var link = document.createElement('a');
    link.href = url;
    link.textContent = name;
    caption.appendChild(link);
    caption.appendChild(document.createTextNode(' \u00b7 ' + describeDateTime(dateTime).text));
    item.appendChild(caption);
    list.appendChild(item);
  });
  if (photos.length > LISTED) {
    var more = document.createElement('li');
    more.textContent = 'and ' + plural(photos.length - LISTED, 'more photo', 'more photos') +
      ', which the album\u2019s log names';
    list.appendChild(more);
  }
  list.hidden = false;
}

export function showUnplaced(count, photos) {
  var button = document.createElement('button'), panel = byId('tb-unplaced-panel');
  button.type = 'button';
  button.className = 'tb-figure-button';
  button.setAttribute('aria-expanded', 'false');
  button.setAttribute('aria-controls', 'tb-unplaced-panel');
  button.textContent = formatNumber(count) + ' without position';
  byId('tb-unplaced').appendChild(button);
  byId('tb-unplaced-text').textContent = plural(count, 'photo', 'photos') + ' given to this album ' +
    (count === 1 ? 'is' : 'are') + ' not on the map: without a position of ' + (count === 1 ? 'its' : 'their') +
    ' own (no GPS in the photo) and none from a track at ' + (count === 1 ? 'its' : 'their') +
    ' time, or not readable as a photo. ' + (photos ? (count === 1 ? 'It is:' : 'They are:') : 'The album\u2019s log names each of them and why.');
  var listed = false;
  function toggle(open) {
    if (open && photos && !listed) {
      listed = true;
      listPhotos(photos);
    }
    panel.hidden = !open;
    button.setAttribute('aria-expanded', String(open));
  }
  button.addEventListener('click', function () { toggle(panel.hidden); });
  byId('tb-unplaced-close').addEventListener('click', function () {
    toggle(false);
    button.focus();
  });
  panel.addEventListener('keydown', function (e) {
    if (e.key !== 'Escape') return;
    toggle(false);
    button.focus();
  });
  button.addEventListener('keydown', function (e) { if (e.key === 'Escape') toggle(false); });
}
