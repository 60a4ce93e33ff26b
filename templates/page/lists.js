// Reading the album page's photo lists quickly: 100000 photos are read in a fraction of a
// second, with no object made per photo.
//
// read(text) is a list as the page reads it: strict JSON, else the script array
// it also is, else null. readPositions(text, expected) reads a list of [latitude, longitude]
// pairs into typed arrays; stringsReader(text) reads a list of names or date-times a part at a
// time, without making a string of each entry until it is asked for.
// A PhotoTable keeps the photos that have a position, and gives their walk: the ones with a
// readable date-time in time order, then the others as written.
function read(text) {
  try {
    return JSON.parse(text);
  } catch (e) {
    // Not strict JSON: read it as the script array it also is.
  }
  try {
    return Function('"use strict"; return ' + text + ';')();
  } catch (e) {
    return null;
  }
}
function validPoint(p) {
  return Array.isArray(p) && p.length === 2 && isFinite(p[0]) && isFinite(p[1]) &&
    typeof p[0] === 'number' && typeof p[1] === 'number' &&
    Math.abs(p[0]) <= 90 && Math.abs(p[1]) <= 180;
}

// "YYYY:MM:DD HH:MM:SS" as written by cameras; also "-" as date separator and "T".
function parseDateTime(text) {
  var m = /^\s*(\d{4})[:-](\d{2})[:-](\d{2})[ T](\d{2}):(\d{2}):(\d{2})\s*$/.exec(text);
  if (!m) return null;
  var p = {
    year: +m[1], month: +m[2], day: +m[3], hour: +m[4], minute: +m[5], second: +m[6]
  };
  var leap = p.year % 4 === 0 && (p.year % 100 !== 0 || p.year % 400 === 0);
  var daysInMonth = p.month === 2 ? (leap ? 29 : 28) : [4, 6, 9, 11].indexOf(p.month) >= 0 ? 30 : 31;
  if (p.year < 1 || p.month < 1 || p.month > 12 || p.day < 1 || p.day > daysInMonth ||
      p.hour > 23 || p.minute > 59 || p.second > 59) {
    return null;
  }
  p.key = m[1] + m[2] + m[3] + m[4] + m[5] + m[6];
  return p;
}

// A list of [latitude, longitude] pairs as two arrays of numbers (NaN where an entry is no
// position); `list` is the list as read, or null when it was read straight from its text.
// Null when the list cannot be read.
function readPositions(text, expected) {
  var pairs = scanPairs(text, expected);
  if (pairs) return pairs;
  var list = read(text);
  if (!Array.isArray(list)) return null;
  var lat = new Float64Array(list.length), lng = new Float64Array(list.length);
  for (var i = 0; i < list.length; i++) {
    var ok = validPoint(list[i]);
    lat[i] = ok ? list[i][0] : NaN;
    lng[i] = ok ? list[i][1] : NaN;
  }
  return { lat: lat, lng: lng, length: list.length, list: list };
}

// The numbers of a list that holds nothing but pairs of JSON numbers, read without making an
// array per pair; null for any other text (which then goes the slower way of read).
function scanPairs(text, expected) {
  var size = Math.max(16, expected), lat = new Float64Array(size), lng = new Float64Array(size);
  var n = 0, at = listStart(text);
  if (at < 0) return null;
  if (text.charCodeAt(at) !== 93) {
    for (;;) {
      if (n === size) {
        size *= 2;
        lat = grown(lat, new Float64Array(size));
        lng = grown(lng, new Float64Array(size));
      }
      if (text.charCodeAt(at) !== 91) return null;
      at = scanNumber(text, skipSpace(text, at + 1));
      if (at < 0) return null;
      lat[n] = scannedNumber;
      at = skipSpace(text, at);
      if (text.charCodeAt(at) !== 44) return null;
      at = scanNumber(text, skipSpace(text, at + 1));
      if (at < 0) return null;
      lng[n++] = scannedNumber;
      at = skipSpace(text, at);
      if (text.charCodeAt(at) !== 93) return null;
      at = skipSpace(text, at + 1);
      if (text.charCodeAt(at) !== 44) break;
      at = skipSpace(text, at + 1);
    }
  }
  if (!listEnds(text, at)) return null;
  return { lat: lat.subarray(0, n), lng: lng.subarray(0, n), length: n, list: null };
}
// Where a JSON list's first entry (or its end) is, after the opening bracket; -1 for a text
// that starts no list.
function listStart(text) {
  var at = skipSpace(text, 0);
  return text.charCodeAt(at) === 91 ? skipSpace(text, at + 1) : -1;
}
// Whether the list's closing bracket stands at `at`, the end of the text after it.
function listEnds(text, at) {
  return text.charCodeAt(at) === 93 && skipSpace(text, at + 1) === text.length;
}
// `large` with `small` copied into its start.
function grown(small, large) {
  large.set(small);
  return large;
}
function skipSpace(text, at) {
  for (var c = text.charCodeAt(at); c === 32 || c === 10 || c === 13 || c === 9; c = text.charCodeAt(++at));
  return at;
}
// Reads the JSON number at `at` into scannedNumber; gives the place after it, or -1. Up to
// 15 digits and no exponent, the digits divided by a power of ten are exactly the number
// JSON.parse reads; others are read by the browser itself.
var POWERS_OF_TEN = [1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15];
var scannedNumber = 0;
function scanNumber(text, at) {
  var start = at, negative = text.charCodeAt(at) === 45, digits = 0, scale = -1, mantissa = 0;
  if (negative) at++;
  var c = text.charCodeAt(at);
  if (c === 48) {
    c = text.charCodeAt(++at);
    digits = 1;
  } else {
    for (; c >= 48 && c <= 57; c = text.charCodeAt(++at)) {
      mantissa = mantissa * 10 + (c - 48);
      digits++;
    }
    if (!digits) return -1;
  }
  if (c === 46) {
    scale = 0;
    for (c = text.charCodeAt(++at); c >= 48 && c <= 57; c = text.charCodeAt(++at)) {
      mantissa = mantissa * 10 + (c - 48);
      digits++;
      scale++;
    }
    if (!scale) return -1;
  }
  var exponent = c === 101 || c === 69;
  if (exponent) {
    c = text.charCodeAt(++at);
    if (c === 43 || c === 45) c = text.charCodeAt(++at);
    if (!(c >= 48 && c <= 57)) return -1;
    while (c >= 48 && c <= 57) c = text.charCodeAt(++at);
  }
  if (exponent || digits > 15) scannedNumber = +text.slice(start, at);
  else scannedNumber = (negative ? -1 : 1) * (mantissa / POWERS_OF_TEN[scale < 0 ? 0 : scale]);
  return at;
}
// Reads a list of names or date-times a part at a time, so that a long one never holds the
// page for long: step(chars) reads on for about `chars` more characters of the text and gives
// true once the whole list is read. `list` is then the list as the page reads it (see read),
// null when it is no list:
//   length, at(i)   its entries (as read: a list that is no list of strings may hold others)
//   text(i)         entry i when it is a string, else ''
//   array()         all of it, as read
//   dateKey(i)      entry i as a date-time in a number (see dateKey)
function stringsReader(text) {
  var reader = { list: undefined, step: step };
  var size = 1024, from = new Int32Array(size), to = new Int32Array(size), escaped = new Uint8Array(size);
  var n = 0, at = listStart(text);
  // `scanned`: whether the text is a list of nothing but JSON strings, each found where its
  // characters begin and end; any other text is read as read() reads it.
  function finish(scanned) {
    if (scanned) {
      reader.list = new ScannedStrings(text, from, to, escaped, n);
    } else {
      var list = read(text);
      reader.list = Array.isArray(list) ? new ReadStrings(list) : null;
    }
    return true;
  }
  function step(chars) {
    if (reader.list !== undefined) return true;
    if (at < 0) return finish(false);
    if (n === 0 && text.charCodeAt(at) === 93) return finish(listEnds(text, at));
    for (var stop = at + chars; ;) {
      if (n === size) {
        size *= 2;
        from = grown(from, new Int32Array(size));
        to = grown(to, new Int32Array(size));
        escaped = grown(escaped, new Uint8Array(size));
      }
      if (text.charCodeAt(at) !== 34) return finish(false);
      var first = at + 1, escapes = 0;
      for (var c = text.charCodeAt(++at); c !== 34; c = text.charCodeAt(++at)) {
        if (c === 92) {
          escapes = 1;
          c = text.charCodeAt(++at);
          if (c === 117) {
            if (!/^[0-9a-fA-F]{4}$/.test(text.substr(at + 1, 4))) return finish(false);
            at += 4;
          } else if (!(c === 34 || c === 92 || c === 47 || c === 98 || c === 102 || c === 110 ||
                       c === 114 || c === 116)) {
            return finish(false);
          }
        } else if (!(c >= 32)) {
          return finish(false);  // a control character, or the end of the text
        }
      }
      from[n] = first;
      to[n] = at;
      escaped[n++] = escapes;
      at = skipSpace(text, at + 1);
      if (text.charCodeAt(at) !== 44) return finish(listEnds(text, at));
      at = skipSpace(text, at + 1);
      if (at >= stop) return false;
    }
  }
  return reader;
}
function ReadStrings(list) {
  this.list = list;
  this.length = list.length;
}
ReadStrings.prototype.at = function (i) { return this.list[i]; };
ReadStrings.prototype.text = function (i) { return typeof this.list[i] === 'string' ? this.list[i] : ''; };
ReadStrings.prototype.array = function () { return this.list; };
ReadStrings.prototype.dateKey = function (i) { return dateKey(this.text(i)); };

function ScannedStrings(text, from, to, escaped, length) {
  this.source = text;
  this.from = from;
  this.to = to;
  this.escaped = escaped;
  this.length = length;
}
ScannedStrings.prototype.at = function (i) {
  var text = this.source;
  return this.escaped[i] ? JSON.parse(text.slice(this.from[i] - 1, this.to[i] + 1)) : text.slice(this.from[i], this.to[i]);
};
ScannedStrings.prototype.text = function (i) { return i < this.length ? this.at(i) : ''; };
ScannedStrings.prototype.array = function () {
  var list = new Array(this.length);
  for (var i = 0; i < this.length; i++) list[i] = this.at(i);
  return list;
};
// Read straight from the page's text, unless the entry holds an escape.
ScannedStrings.prototype.dateKey = function (i) {
  return i < this.length && !this.escaped[i] ? dateKeyAt(this.source, this.from[i], this.to[i] - this.from[i])
    : dateKey(this.text(i));
};

// The list of pairs as the page read it, made again from the numbers when needed.
function pairList(pairs) {
  if (!pairs.list) {
    pairs.list = new Array(pairs.length);
    for (var i = 0; i < pairs.length; i++) pairs.list[i] = [pairs.lat[i], pairs.lng[i]];
  }
  return pairs.list;
}
function validAt(pairs, i) {
  return i < pairs.length && Math.abs(pairs.lat[i]) <= 90 && Math.abs(pairs.lng[i]) <= 180;
}

// The date-time of a photo as one number, YYYYMMDDhhmmss (NaN when it cannot be read): the
// usual camera form is read from its digits, any other goes through parseDateTime.
function dateKey(text) { return dateKeyAt(text, 0, text.length); }
// The same of the `length` characters of `text` from `at`.
function dateKeyAt(text, at, length) {
  if (length !== 19) {
    var p = parseDateTime(text.substr(at, length));
    return p ? +p.key : NaN;
  }
  var c4 = text.charCodeAt(at + 4), c7 = text.charCodeAt(at + 7), c10 = text.charCodeAt(at + 10);
  if (!((c4 === 58 || c4 === 45) && (c7 === 58 || c7 === 45) && (c10 === 32 || c10 === 84) &&
        text.charCodeAt(at + 13) === 58 && text.charCodeAt(at + 16) === 58)) {
    return NaN;
  }
  var year = digitsAt(text, at, 4), month = digitsAt(text, at + 5, 2), day = digitsAt(text, at + 8, 2);
  var hour = digitsAt(text, at + 11, 2), minute = digitsAt(text, at + 14, 2), second = digitsAt(text, at + 17, 2);
  var leap = year % 4 === 0 && (year % 100 !== 0 || year % 400 === 0);
  var daysInMonth = month === 2 ? (leap ? 29 : 28) : month === 4 || month === 6 || month === 9 || month === 11 ? 30 : 31;
  if (!(year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth &&
        hour <= 23 && minute <= 59 && second <= 59)) {
    return NaN;
  }
  return ((((year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}
// The number written by `count` ASCII digits from `at`; NaN if any is no digit.
function digitsAt(text, at, count) {
  var value = 0;
  for (var k = at; k < at + count; k++) {
    var d = text.charCodeAt(k) - 48;
    if (!(d >= 0 && d <= 9)) return NaN;
    value = value * 10 + d;
  }
  return value;
}


// The photos of lists of `length` entries that have a position, by index: where the map
// shows them (the short position, else the full one), where they were taken (the full
// position, else the short one), their date-times as numbers (NaN: none readable) and their
// places in the lists.
function PhotoTable(length) {
  this.count = 0;
  this.undated = 0;  // photos without any date-time text
  this.given = new Int32Array(length);
  this.pointLat = new Float64Array(length);
  this.pointLng = new Float64Array(length);
  this.fullLat = new Float64Array(length);
  this.fullLng = new Float64Array(length);
  this.keys = new Float64Array(length);
}
// Takes the entries from `from` to `to` of the lists (`dates` as stringsReader gives it).
PhotoTable.prototype.add = function (from, to, dates, points, full) {
  for (var i = from; i < to; i++) {
    var shortOk = validAt(points, i), fullOk = validAt(full, i);
    if (!shortOk && !fullOk) continue;
    var k = this.count++;
    this.given[k] = i;
    this.pointLat[k] = shortOk ? points.lat[i] : full.lat[i];
    this.pointLng[k] = shortOk ? points.lng[i] : full.lng[i];
    this.fullLat[k] = fullOk ? full.lat[i] : this.pointLat[k];
    this.fullLng[k] = fullOk ? full.lng[i] : this.pointLng[k];
    var key = this.keys[k] = dates.dateKey(i);
    if (key !== key && !/\S/.test(dates.text(i))) this.undated++;
  }
};
// The photos by walk place, and how many of them (the first ones) are dated.
PhotoTable.prototype.walk = function () {
  var keys = this.keys, dated = [], later = [];
  for (var k = 0; k < this.count; k++) (keys[k] === keys[k] ? dated : later).push(k);
  for (k = 1; k < dated.length; k++) {
    if (keys[dated[k - 1]] > keys[dated[k]]) {
      dated.sort(function (a, b) { return keys[a] - keys[b] || a - b; });
      break;
    }
  }
  var datedCount = dated.length;
  for (k = 0; k < later.length; k++) dated.push(later[k]);
  return { walk: dated, datedCount: datedCount };
};

export { read, validPoint, parseDateTime, readPositions, stringsReader, pairList, PhotoTable };
