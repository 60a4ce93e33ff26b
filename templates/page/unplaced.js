// The photos given to the album that are not on the map: the header's figure is a button that
// opens a note on them. The writer gives the page their number alone (see the
// tb-without-position list), so the note says how many there are, why a photo is left out and
// where each is named: the album's log.
import { byId } from './dom.js';
import { formatNumber, plural } from './formats.js';

export function showUnplaced(count) {
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
    ' time, or not readable as a photo. The album\u2019s log names each of them and why.';
  function toggle(open) {
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
