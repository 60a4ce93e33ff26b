// Days: the list of the trip's days, and the filter that shows one day.
import { byId } from './dom.js';
import { plural } from './formats.js';
import { closeGallery } from './gallery.js';
import { writeHash } from './links.js';
import { map, showAll } from './map.js';
import { refreshMarkers, replaceMarkers, showSelection } from './markers.js';
import { days, selection, setSelection, total } from './photos.js';
import { stripLayout, stripRewind } from './strip.js';
import { album, exposeActions } from './test_hooks.js';
import { refreshTrail } from './trail.js';

var daysButton, daysPanel, dayList;
function dayButton(day, label, colour) {
  var item = document.createElement('li');
  var b = document.createElement('button');
  b.type = 'button';
  b.className = 'tb-day';
  b.dataset.day = day;
  b.setAttribute('aria-pressed', String(selection.day === day));
  var swatch = document.createElement('span');
  swatch.className = 'tb-swatch';
  swatch.setAttribute('aria-hidden', 'true');
  if (colour) swatch.style.background = colour;
  b.appendChild(swatch);
  b.appendChild(document.createTextNode(label));
  b.addEventListener('click', function () {
    chooseDay(day, true);
    toggleDays(false);
    daysButton.focus();
  });
  item.appendChild(b);
  return item;
}
// The list is made when first needed: a long journey has thousands of days.
function fillDayList() {
  if (dayList.childNodes.length) return;
  var fragment = document.createDocumentFragment();
  fragment.appendChild(dayButton(-1, 'All days \u00b7 ' + plural(total, 'photo', 'photos'), null));
  days.forEach(function (day, d) { fragment.appendChild(dayButton(d, day.label, day.colour)); });
  dayList.appendChild(fragment);
}
function toggleDays(open) {
  fillDayList();
  daysPanel.hidden = !open;
  daysButton.setAttribute('aria-expanded', String(open));
  if (open) {
    var pressed = dayList.querySelector('[aria-pressed="true"]');
    if (pressed) pressed.focus();
  }
}
// Shows one day (or all with -1): its photos, its trail, the map fitted to it. A day chosen
// closes the photo shown, and the address then names the day alone: the day's view is the map
// fitted to the day, which a photo's popup would pan away from, and a photo of another day is
// not on that map. So a reload, Back and Forward show the day, or the photo, as they were.
// `quiet`: the caller writes the address itself.
export function chooseDay(day, fit, quiet) {
  if (!(day >= -1 && day < days.length)) day = -1;
  var changed = day !== selection.day;
  setSelection(day);
  showSelection(day);
  daysButton.textContent = day < 0 ? 'All days' : days[day].label;
  dayList.querySelectorAll('.tb-day').forEach(function (b) {
    b.setAttribute('aria-pressed', String(+b.dataset.day === day));
  });
  if (changed) {
    map.closePopup();
    album.current = undefined;
    closeGallery();
    replaceMarkers();
    stripRewind();
    stripLayout();
    refreshTrail();
  }
  if (fit) showAll();
  var done = refreshMarkers();
  if (changed && !quiet) writeHash();
  return done;
}

export function setUpDays() {
  daysButton = byId('tb-days-button');
  daysPanel = byId('tb-days');
  dayList = byId('tb-day-list');
  exposeActions({ chooseDay: chooseDay });
  daysButton.addEventListener('click', function () { toggleDays(daysPanel.hidden); });
  daysPanel.addEventListener('keydown', function (e) {
    if (e.key === 'Escape') {
      toggleDays(false);
      daysButton.focus();
    }
  });
  window.addEventListener('beforeprint', fillDayList);
}
