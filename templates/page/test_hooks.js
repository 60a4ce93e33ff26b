// window.album: what the tests and the load benchmark read of the page (its lists, photos,
// days, map and layers, and the milliseconds since the page started loading at each step),
// and the actions they drive it by. The page keeps its own state of the moment there too
// (ready, current, openIndex, settled, tileLayer).
import { describeDateTime, describeSpan, formatDistance } from './formats.js';
import { pairList, parseDateTime } from './lists.js';

export var album = null;

export function startAlbum() {
  album = window.album = { ready: false, photos: [], timings: { start: performance.now() } };
  return album;
}
export function timing(step) { album.timings[step] = performance.now(); }

// The lists as read: made when asked for.
export function exposeStringLists(lists, names, dates) {
  Object.defineProperties(lists, {
    names: { enumerable: true, get: function () { return names && names.array(); } },
    dates: { enumerable: true, get: function () { return dates && dates.array(); } }
  });
}
export function exposePositionLists(lists, full, points) {
  Object.defineProperties(lists, {
    latlngs: { enumerable: true, get: function () { return full && pairList(full); } },
    points: { enumerable: true, get: function () { return points && pairList(points); } }
  });
}
// Every photo (`total` of them, made by photoAt): made when asked for.
export function exposePhotos(total, photoAt) {
  var everyPhoto = null;
  Object.defineProperty(album, 'photos', { enumerable: true, get: function () {
    if (!everyPhoto) {
      everyPhoto = [];
      for (var k = 0; k < total; k++) everyPhoto.push(photoAt(k));
    }
    return everyPhoto;
  } });
}
// The page's actions, by name (openPhoto, chooseDay, ...).
export function exposeActions(actions) {
  Object.keys(actions).forEach(function (name) { album[name] = actions[name]; });
}
// How date-times, the album's span and distances are shown.
export function exposeFormats() {
  album.describeDateTime = function (text) { return describeDateTime(text).text; };
  album.describeSpan = function (texts) { return describeSpan(texts.map(parseDateTime)); };
  album.formatDistance = function (km) { return formatDistance(km); };
}
