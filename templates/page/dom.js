// The page's elements: looked up by id, the notice over the map, the message in its place.

export function byId(id) { return document.getElementById(id); }
export var reducedMotion = window.matchMedia && matchMedia('(prefers-reduced-motion: reduce)').matches;

export var notice = null;
var noticeTimer = 0;
export function setUpNotice() {
  notice = byId('tb-notice');
  byId('tb-notice-close').addEventListener('click', function () { notice.hidden = true; });
}
// Shows a notice; one that only reports what was already put right fades after a while.
export function showNotice(text, lingerMs) {
  clearTimeout(noticeTimer);
  byId('tb-notice-text').textContent = text;
  notice.title = text;
  notice.hidden = false;
  if (lingerMs) noticeTimer = setTimeout(function () { notice.hidden = true; }, lingerMs);
}

export function showEmpty(text) {
  var box = document.createElement('div');
  box.className = 'tb-empty';
  box.textContent = text;
  document.querySelector('.tb-main').appendChild(box);
}
