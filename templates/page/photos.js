// The photos: the page's lists read, the photos with a position by index (see PhotoTable of
// lists.js), their walk (time order), their days and the distance along them, and what the
// map shows of them (the selection: all days or one).
import { photoUrl } from './addresses.js';
import { findDays, labelDays } from './day_groups.js';
import { byId } from './dom.js';
import { formatNumber, plural, describeSpan, formatDistance, DASH } from './formats.js';
import { distanceKm } from './geo.js';
import { read, stringsReader, parseDateTime, PhotoTable } from './lists.js';
import { startIndex, initIndex } from './markers.js';
import { pause } from './tasks.js';
import { album, exposePhotos, exposePositionLists, exposeStringLists, timing } from './test_hooks.js';
import { parse as parseTrack, build as buildTrack, validSource, describeSource } from './track.js';
import { UNDRAWN_KINDS } from './undrawn_kinds.js';
import { showUnplaced } from './unplaced.js';

// Characters of a list of names or date-times read at a time: a few milliseconds.
var STRINGS_STEP_CHARS = 200000;

export var lists = null, names = null, dates = null, recordedTrack = null;
export var table = null, total = 0, undated = 0, datedCount = 0;
export var pointLat, pointLng, fullLat, fullLng, keys;
// By index: the photo's place in the walk and its day (-1: none).
export var walkOf, dayOf;
// By walk place: the photo's index, and its position on the map.
export var walk, walkLat, walkLng;
export var days = [], trackedDay = [], distance = 0;
var madePhotos = [];

// One list of the page; null when it cannot be read.
function readList(id) { return read(byId(id).textContent); }
// The names or the date-times (see stringsReader of lists.js), read in slices.
async function readStringList(id) {
  var reader = stringsReader(byId(id).textContent);
  while (!reader.step(STRINGS_STEP_CHARS)) await pause();
  await pause();
  return reader.list;
}
// A list only some writers fill: strict JSON or nothing, and of the expected length.
function readOptional(id, length, valid) {
  var element = byId(id), list = null;
  try {
    list = JSON.parse(element ? element.textContent : '');
  } catch (e) {
    return null;
  }
  if (!Array.isArray(list) || list.length !== length || !list.every(valid)) return null;
  return list;
}
function isString(x) { return typeof x === 'string'; }
function isStringOrNull(x) { return x === null || typeof x === 'string'; }

// A photo's address and its preview's, beside the page; made when first needed. A writer
// leaves out (null) the address of a photo beside the page that is its name.
export function urlOf(p) {
  return lists.photoUrls && lists.photoUrls[p.given] || p.url || (p.url = photoUrl(p.name));
}
export function previewOf(p) { return lists.previewUrls && lists.previewUrls[p.given] || urlOf(p); }
export function drawable(p) {
  return !!(lists.previewUrls && lists.previewUrls[p.given]) || !UNDRAWN_KINDS.test(p.name);
}
// A preview that does not load (its folder deleted) gives way to the original, once. False
// when the original itself failed.
export function showOriginalInstead(img, p) {
  if (img.getAttribute('src') === urlOf(p)) return false;
  img.src = urlOf(p);
  return true;
}
export function sourceText(p) {
  return lists.positionSources ? describeSource(lists.positionSources[p.given]) : '';
}

// A photo of the map, made when first asked for (see photoAt): what the page keeps of every
// photo is in its arrays by index, and so are the objects the map and the popup need.
function Photo(index) {
  var given = table.given[index];
  this.index = index;
  this.name = nameOf(index);
  this.dateTime = dates.text(given);
  this.given = given;
  this.key = keys[index];
  this.url = undefined;
  this.parsedCache = undefined;
  this.latLngCache = null;
}
Object.defineProperties(Photo.prototype, {
  // Its place in the walk, and its day (-1: none).
  walk: { get: function () { return walkOf[this.index]; } },
  day: { get: function () { return dayOf[this.index]; } },
  // The date-time's parts (null without a readable one).
  parsed: { get: function () {
    if (this.parsedCache === undefined) this.parsedCache = this.key === this.key ? parseDateTime(this.dateTime) : null;
    return this.parsedCache;
  } },
  // Where the map shows it: the written short position (or the full one).
  latLng: { get: function () {
    return this.latLngCache || (this.latLngCache = L.latLng(pointLat[this.index], pointLng[this.index]));
  } },
  // Its position as read from the photo.
  position: { get: function () { return [fullLat[this.index], fullLng[this.index]]; } }
});
export function photoAt(index) {
  return madePhotos[index] || (madePhotos[index] = new Photo(index));
}
export function nameOf(index) { return String(names.at(table.given[index])); }

// Reads the lists; false when the page holds none of photos (the template itself, opened
// before the photo lists were written into it).
export async function readLists() {
  // The two position lists, the longest to read, go to the index's worker first; the page
  // reads the others meanwhile.
  var positionsRead = startIndex(byId('tb-points').textContent, byId('tb-latlngs').textContent);
  await pause();
  lists = album.lists = { first: readList('tb-first') };
  names = await readStringList('tb-names');
  dates = await readStringList('tb-dates');
  exposeStringLists(lists, names, dates);
  await pause();
  if (!names || !dates) return false;
  lists.photoUrls = readOptional('tb-photo-urls', names.length, isStringOrNull);
  lists.previewUrls = readOptional('tb-preview-urls', names.length, isString);
  var withoutPosition = readOptional('tb-without-position', 1, function (n) {
    return typeof n === 'number' && n >= 0 && Math.floor(n) === n;
  });
  lists.withoutPosition = withoutPosition ? withoutPosition[0] : null;
  // Their names, date-times and addresses, where the writer gave one entry for each of them.
  lists.unplaced = lists.withoutPosition ? readOptional('tb-unplaced-list', lists.withoutPosition, function (e) {
    return Array.isArray(e) && e.length === 3 && e.every(isString);
  }) : null;
  // A recorded track, when the writer gave one, is the trail; some photos were placed on it.
  await pause();
  var trackElement = byId('tb-track');
  var trackPieces = trackElement ? parseTrack(trackElement.textContent) : null;
  await pause();
  recordedTrack = album.track = trackPieces && buildTrack(trackPieces);
  trackPieces = null;
  lists.positionSources = readOptional('tb-position-sources', names.length, validSource);
  var positions = await positionsRead, full = positions.full, points = positions.points;
  exposePositionLists(lists, full, points);
  if (!full || !points) return false;
  await pause();

  table = new PhotoTable(names.length);
  pointLat = table.pointLat; pointLng = table.pointLng; fullLat = table.fullLat; fullLng = table.fullLng;
  keys = table.keys;
  for (var from = 0; from < names.length; from += 5000) {
    table.add(from, Math.min(names.length, from + 5000), dates, points, full);
    await pause();
  }
  total = table.count;
  walkOf = new Int32Array(total);
  dayOf = new Int32Array(total).fill(-1);
  exposePhotos(total, photoAt);
  undated = table.undated;

  // The walk: photos with a readable date-time in time order, then the others as written.
  // Only the dated ones make the trail, the days, the start and the end.
  var ordered = table.walk();
  datedCount = ordered.datedCount;
  walk = album.walk = ordered.walk;
  await pause();
  // Positions by walk place, for the trail, the bounds and the index.
  walkLat = new Float64Array(total);
  walkLng = new Float64Array(total);
  var forIndex = indexData();
  album.days = days;
  album.selection = selection;
  setSelection(-1);
  // The index is built meanwhile, off the page's own thread.
  if (total > 0) initIndex(forIndex, indexData);
  forIndex = null;
  timing('photos');
  await pause();
  return true;
}

function placeInWalk(indexLat, indexLng, indexFullLat, indexFullLng) {
  for (var w = 0; w < total; w++) {
    var index = walk[w];
    walkOf[index] = w;
    walkLat[w] = indexLat[w] = pointLat[index];
    walkLng[w] = indexLng[w] = pointLng[index];
    indexFullLat[w] = fullLat[index];
    indexFullLng[w] = fullLng[index];
  }
}
// The index's own copies, handed over to its worker.
function indexData() {
  var data = { lat: new Float64Array(total), lng: new Float64Array(total),
    fullLat: new Float64Array(total), fullLng: new Float64Array(total) };
  placeInWalk(data.lat, data.lng, data.fullLat, data.fullLng);
  return data;
}

// What the map shows: all photos, or one day's. `from`/`to` are places in the walk.
export var selection = { day: -1, from: 0, to: 0, datedTo: 0 };
export function setSelection(day) {
  selection.day = day;
  selection.from = day < 0 ? 0 : days[day].from;
  selection.to = day < 0 ? total : days[day].to;
  selection.datedTo = day < 0 ? datedCount : days[day].to;
}
// The walk places of the start and the end of what is shown (-1: none).
export function startPlace() { return selection.datedTo > selection.from ? selection.from : -1; }
export function endPlace() { return selection.datedTo - selection.from > 1 ? selection.datedTo - 1 : -1; }

// Great-circle distance in kilometres between two walk places.
export function legKm(a, b) {
  var i = walk[a], j = walk[b];
  return distanceKm(fullLat[i], fullLng[i], fullLat[j], fullLng[j]);
}
// The days, and the distance along the trail.
export async function findAllDays() {
  var along = { walk: walk, keys: keys, dayOf: dayOf, legKm: legKm,
    parsedOf: function (index) { return photoAt(index).parsed; } };
  distance = 0;
  for (var dayFrom = 0; dayFrom < datedCount; dayFrom += 20000) {
    distance = findDays(days, dayFrom, Math.min(datedCount, dayFrom + 20000), distance, along);
    await pause();
  }
  labelDays(days);
  // Days the track covers draw it; a day it misses (the recorder off) keeps the line between
  // its photos, and its distance.
  trackedDay = days.map(function () { return false; });
  if (recordedTrack) {
    var dayOfKey = new Map(days.map(function (day, d) { return [day.key, d]; }));
    recordedTrack.setDays(function (key) { return dayOfKey.has(key) ? dayOfKey.get(key) : -1; });
    for (var piece = 0; piece < recordedTrack.pieces; piece++) {
      if (recordedTrack.day[piece] >= 0) trackedDay[recordedTrack.day[piece]] = true;
    }
    distance = recordedTrack.distanceKm;
    days.forEach(function (day, d) {
      if (trackedDay[d]) return;
      for (var w = Math.max(day.from, 1); w < day.to; w++) distance += legKm(w - 1, w);
    });
  }
  album.distanceKm = distance;
  timing('lists');
  await pause();
}

// The header's summary and the page's title.
export async function showSummary() {
  var countText = plural(total, 'photo', 'photos');
  if (undated > 0) countText += ' (' + formatNumber(undated) + ' without date)';
  var spanText = describeSpan(datedCount ? [photoAt(walk[0]).parsed, photoAt(walk[datedCount - 1]).parsed] : []);
  byId('tb-count').textContent = countText;
  byId('tb-day-count').textContent = days.length ? plural(days.length, 'day', 'days') : '';
  byId('tb-span').textContent = spanText || 'no dates';
  byId('tb-distance').textContent = datedCount > 1 || recordedTrack ? formatDistance(distance) : '';
  if (recordedTrack) {
    byId('tb-distance').title = 'Distance along the recorded track';
    byId('tb-distance').insertAdjacentHTML('beforeend', '<span class="tb-sr"> along the recorded track</span>');
  }
  if (lists.withoutPosition) showUnplaced(lists.withoutPosition, lists.unplaced);
  document.title = 'Photo album' + DASH + plural(total, 'photo', 'photos') +
    (spanText ? ', ' + spanText : '');
  await pause();
}
