// How the page writes dates, times, counts, distances and positions.
import { parseDateTime } from './lists.js';

export var MONTHS = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec'];
var WEEKDAYS = ['Sun', 'Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat'];
export var DASH = ' \u2013 ';

export function pad2(n) { return (n < 10 ? '0' : '') + n; }
export function formatDay(p) { return p.day + ' ' + MONTHS[p.month - 1] + ' ' + p.year; }
export function formatTime(p, seconds) {
  return pad2(p.hour) + ':' + pad2(p.minute) + (seconds ? ':' + pad2(p.second) : '');
}
// The date-time of one photo as shown: nicely when it can be read, else as it stands.
export function describeDateTime(text, parsed) {
  if (!text || !/\S/.test(text)) return { text: 'no date', dated: false };
  var p = parsed === undefined ? parseDateTime(text) : parsed;
  if (!p) return { text: text, dated: true };
  return { text: formatDay(p) + ', ' + formatTime(p, true), dated: true };
}
// The time the album spans, from its earliest to its latest readable date-time.
export function describeSpan(parsedList) {
  var first = null, last = null;
  for (var k = 0; k < parsedList.length; k++) {
    var p = parsedList[k];
    if (!p) continue;
    if (!first || p.key < first.key) first = p;
    if (!last || p.key > last.key) last = p;
  }
  if (!first) return '';
  if (first.key === last.key) return formatDay(first) + ', ' + formatTime(first, false);
  if (first.key.slice(0, 8) === last.key.slice(0, 8)) {
    return formatDay(first) + ', ' + formatTime(first, false) + DASH + formatTime(last, false);
  }
  return formatDay(first) + DASH + formatDay(last);
}

// Counts with the grouping of the reader's language ("100,000").
// One formatter for all, made when first needed: making one is slow (the first takes tens of
// milliseconds), and the photo lists come first.
var numberFormat = null;
export function formatNumber(n) { return (numberFormat || (numberFormat = new Intl.NumberFormat())).format(n); }
export function plural(n, one, many) { return formatNumber(n) + ' ' + (n === 1 ? one : many); }
// A count in a cluster's few pixels: "9999", "10k", "1.2M".
export function formatCount(n) {
  if (n < 10000) return String(n);
  if (n < 1000000) return Math.floor(n / 1000) + 'k';
  return (Math.floor(n / 100000) / 10) + 'M';
}
export function weekday(p) { return WEEKDAYS[new Date(Date.UTC(p.year, p.month - 1, p.day)).getUTCDay()]; }

// The reader's first language ("en-GB"), or ''.
function readerLanguage() {
  var nav = globalThis.navigator;
  return nav && (nav.languages && nav.languages[0] || nav.language) || '';
}
// Whether the country of a language tag measures roads in miles.
export function usesMiles(language) {
  return /-(US|GB|LR|MM)\b/i.test(language);
}
export function formatDistance(km, language) {
  var miles = usesMiles(language === undefined ? readerLanguage() : language);
  var value = miles ? km / 1.609344 : km;
  return value.toLocaleString(undefined, { maximumFractionDigits: value < 10 ? 1 : 0 }) +
    (miles ? ' mi' : ' km');
}
export function formatPosition(position) {
  return position[0].toFixed(5) + ', ' + position[1].toFixed(5);
}
