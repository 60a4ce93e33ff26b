// The album page's recorded track: the way actually walked, drawn as the trail in place of the
// straight lines between photos when the album writer gave the page a track.
//
// build(parse(text)) reads the JSON list of track pieces the writer
// put in the page (#tb-track: [{"day":"YYYY:MM:DD","points":[[lat,lng],...]},...], one piece per
// local day of a recorded segment), in two steps that the page runs as separate tasks. It gives
// null when the list is absent, empty or not of that form, and the page then draws its trail
// as before. The points are kept in typed arrays only (Web Mercator x/y for the drawing,
// latitude/longitude for what is drawn), so a track of a hundred thousand points costs a few
// megabytes and a redraw compares numbers.
//
// track.setDays(dayOf) tells each piece its place in the page's day list (dayOf("20240604") is
// the day's index, or -1 for a day without photos).
// track.lines(view, day, colours) gives the lines to draw in and near the view, simplified to
// points at least view.cell apart (in Mercator units), per colour: lines[c] is a list of
// [lat, lng] lists; colour `colours` (one past the day colours) takes the pieces of days without
// photos. With day >= 0 only that day's pieces are drawn.
// track.bounds(day) is [south, west, north, east] of all pieces or of one day's, or null.
// describeSource(source) is the text that says where a photo's position came
// from ({"track": seconds} of the writer's list), or '' for a position read from the photo.
var DAY_PATTERN = /^(\d{4}):(\d{2}):(\d{2})$/;
// Zoom levels whose simplified track is kept for when the map comes back to them.
var MAX_CACHED_ZOOMS = 8;
var BLOCK = 1024;

function validPiece(piece) {
  return piece !== null && typeof piece === 'object' && typeof piece.day === 'string' &&
    DAY_PATTERN.test(piece.day) && Array.isArray(piece.points) && piece.points.length >= 2;
}
function validPoint(p) {
  return Array.isArray(p) && p.length === 2 && typeof p[0] === 'number' &&
    typeof p[1] === 'number' && Math.abs(p[0]) <= 90 && Math.abs(p[1]) <= 180;
}

// The pieces' points in typed arrays, with the length of the track; null when a point is not
// a position on Earth.
function Track(pieces) {
  var count = 0;
  pieces.forEach(function (piece) { count += piece.points.length; });
  // Piece k holds points start[k] .. start[k + 1] - 1.
  this.start = new Int32Array(pieces.length + 1);
  this.dayKey = pieces.map(function (piece) { return piece.day.replace(DAY_PATTERN, '$1$2$3'); });
  this.day = new Int32Array(pieces.length).fill(-1);
  var latOf = this.lat = new Float64Array(count), lngOf = this.lng = new Float64Array(count);
  var xOf = this.x = new Float64Array(count), yOf = this.y = new Float64Array(count);
  this.cache = new Map();
  this.pieces = pieces.length;
  this.points = count;
  this.valid = true;
  var rad = Math.PI / 180, km = 0, at = 0;
  for (var k = 0; k < pieces.length; k++) {
    this.start[k] = at;
    var points = pieces[k].points;
    var cosBefore = 0;
    for (var i = 0; i < points.length; i++, at++) {
      var point = points[i];
      if (!validPoint(point)) {
        this.valid = false;
        return;
      }
      var lat = point[0], lng = point[1], sin = Math.sin(lat * rad), cos = Math.cos(lat * rad);
      // Latitudes at the poles have no Mercator place: they are kept just short of it.
      var s = Math.max(-0.9999999, Math.min(0.9999999, sin));
      var x = (lng + 180) / 360, y = 0.5 - Math.log((1 + s) / (1 - s)) / (4 * Math.PI);
      latOf[at] = lat;
      lngOf[at] = lng;
      xOf[at] = x;
      yOf[at] = y;
      if (i > 0) {
        // Great-circle distance from the point before.
        var sinLat = Math.sin((lat - latOf[at - 1]) * rad / 2), sinLng = Math.sin((lng - lngOf[at - 1]) * rad / 2);
        var h = sinLat * sinLat + cosBefore * cos * sinLng * sinLng;
        km += 12742 * Math.asin(Math.min(1, Math.sqrt(h)));
      }
      cosBefore = cos;
    }
  }
  this.start[pieces.length] = at;
  this.distanceKm = km;
  this.makeBlocks();
}

Track.prototype.setDays = function (dayOf) {
  for (var k = 0; k < this.pieces; k++) this.day[k] = dayOf(this.dayKey[k]);
};

// Splits the pieces into blocks of at most BLOCK points, each with its box in Mercator units,
// so that a redraw passes over the blocks far from the view as a whole.
Track.prototype.makeBlocks = function () {
  var starts = [], pieceOf = [], boxes = [];
  for (var k = 0; k < this.pieces; k++) {
    for (var first = this.start[k]; first < this.start[k + 1]; first += BLOCK) {
      var end = Math.min(first + BLOCK, this.start[k + 1]);
      var minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
      for (var i = first; i < end; i++) {
        if (this.x[i] < minX) minX = this.x[i];
        if (this.x[i] > maxX) maxX = this.x[i];
        if (this.y[i] < minY) minY = this.y[i];
        if (this.y[i] > maxY) maxY = this.y[i];
      }
      starts.push(first);
      pieceOf.push(k);
      boxes.push(minX, minY, maxX, maxY);
    }
  }
  this.blockStart = Int32Array.from(starts.concat([this.points]));
  this.blockPiece = Int32Array.from(pieceOf);
  this.blockBox = Float64Array.from(boxes);
  this.blocks = pieceOf.length;
};

// The points of block `b` kept at a zoom level: its first, then each at least `cell` from
// the one kept before it, and a piece's last point. Made when the block is first drawn at
// that level, so a redraw looks only at a few points per pixel of the line near the view,
// however long and dense the recording.
Track.prototype.kept = function (cell, b) {
  var level = this.cache.get(cell);
  if (!level) {
    if (this.cache.size >= MAX_CACHED_ZOOMS) this.cache.delete(this.cache.keys().next().value);
    level = new Array(this.blocks);
    this.cache.set(cell, level);
  }
  if (level[b]) return level[b];
  var x = this.x, y = this.y, far = cell * cell;
  var first = this.blockStart[b], end = this.blockStart[b + 1];
  var pieceLast = this.start[this.blockPiece[b] + 1] - 1;
  var index = new Int32Array(end - first), used = 0, keptX = x[first], keptY = y[first];
  index[used++] = first;
  for (var i = first + 1; i < end; i++) {
    var dx = x[i] - keptX, dy = y[i] - keptY;
    if (dx * dx + dy * dy >= far || i === pieceLast) {
      index[used++] = i;
      keptX = x[i];
      keptY = y[i];
    }
  }
  return (level[b] = index.slice(0, used));
};

// view: {x0, y0, x1, y1, cell, wholeWorld} in Mercator units (0..1 over the world).
Track.prototype.lines = function (view, day, colours) {
  var lines = [];
  for (var c = 0; c <= colours; c++) lines.push([]);
  var x = this.x, y = this.y, lat = this.lat, lng = this.lng, box = this.blockBox;
  var x0 = view.x0, x1 = view.x1, y0 = view.y0, y1 = view.y1, all = view.wholeWorld;
  var line = [], out = null, prevIn = false, before = -1;
  function flush() {
    if (line.length > 1) out.push(line);
    line = [];
  }
  for (var b = 0; b < this.blocks; b++) {
    var k = this.blockPiece[b], pieceDay = this.day[k];
    if (day >= 0 && pieceDay !== day) continue;
    if (this.blockStart[b] === this.start[k]) {
      // A new piece: a line of its own, in its day's colour.
      if (out) flush();
      out = lines[pieceDay >= 0 ? pieceDay % colours : colours];
      prevIn = false;
      before = -1;
    }
    var b4 = b * 4;
    if (!all && (box[b4] > x1 || box[b4 + 2] < x0 || box[b4 + 1] > y1 || box[b4 + 3] < y0)) {
      flush();
      prevIn = false;
      before = this.blockStart[b + 1] - 1;
      continue;
    }
    var index = this.kept(view.cell, b);
    for (var j = 0; j < index.length; j++) {
      var i = index[j];
      var inView = all || (x[i] >= x0 && x[i] <= x1 && y[i] >= y0 && y[i] <= y1);
      if (inView || prevIn) {
        // A line coming into the view starts at the point before, outside it.
        if (!line.length && before >= 0) line.push([lat[before], lng[before]]);
        line.push([lat[i], lng[i]]);
      } else {
        flush();
      }
      prevIn = inView;
      before = i;
    }
  }
  if (out) flush();
  return lines;
};

Track.prototype.bounds = function (day) {
  var s = Infinity, w = Infinity, n = -Infinity, e = -Infinity;
  for (var k = 0; k < this.pieces; k++) {
    if (day >= 0 && this.day[k] !== day) continue;
    for (var i = this.start[k]; i < this.start[k + 1]; i++) {
      if (this.lat[i] < s) s = this.lat[i];
      if (this.lat[i] > n) n = this.lat[i];
      if (this.lng[i] < w) w = this.lng[i];
      if (this.lng[i] > e) e = this.lng[i];
    }
  }
  return s <= n ? [s, w, n, e] : null;
};

function parse(text) {
  try {
    return JSON.parse(text);
  } catch (e) {
    return null;
  }
}
function build(pieces) {
  if (!Array.isArray(pieces) || !pieces.length || !pieces.every(validPiece)) return null;
  var track = new Track(pieces);
  return track.valid ? track : null;
}

function validSource(source) {
  return source === null || (typeof source === 'object' && Object.keys(source).length === 1 &&
    typeof source.track === 'number' && source.track >= 0 && Math.floor(source.track) === source.track);
}

// "12 s", "4 min 5 s", "2 h 10 min".
function describeSeconds(s) {
  if (s < 60) return s + ' s';
  if (s < 3600) return Math.floor(s / 60) + ' min' + (s % 60 ? ' ' + (s % 60) + ' s' : '');
  return Math.floor(s / 3600) + ' h' + (Math.floor(s / 60) % 60 ? ' ' + Math.floor(s / 60) % 60 + ' min' : '');
}
function describeSource(source) {
  if (!source || typeof source.track !== 'number') return '';
  return 'Position from track (' +
    (source.track === 0 ? 'on a track point' : describeSeconds(source.track) + ' from a track point') + ')';
}

export { parse, build, validSource, describeSource };
