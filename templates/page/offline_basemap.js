// The album page's offline map: land, sea, country borders and the names of capitals and large
// towns, drawn on canvas tiles from the data that the template build wrote into the page (the
// JSON element #tb-offline-map, made by scripts/offline_map_data.mjs). It needs no network, so
// the page shows it when no tile provider answers.
//
// createOfflineMap(options) makes the Leaflet layer. It reads its data on first use,
// draws each tile once in short tasks (so the page never stalls) and keeps the latest tiles for
// when the view comes back. Places are named by zoom, larger ones first; a name that would
// overlap one already placed is left out. layer.watchForTiles(tileLayer, onBack) tries one tile
// of tileLayer now and then while the offline map is shown, and calls onBack(tileLayer) once
// one loads.
var ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
var TILE = 256;
// Drawing work per task; one tile takes a few milliseconds at most.
var TASK_BUDGET_MS = 8;
// Pieces of reading the data: characters of lines decoded, and place names measured.
var DECODE_PIECE = 20000;
var MEASURE_PIECE = 40;
var CACHED_TILES = 96;
var PROBE_MS = 30000;
var ATTRIBUTION = 'Offline map: <a href="https://www.naturalearthdata.com">Natural Earth</a>, ' +
  'places: <a href="https://www.geonames.org">GeoNames</a>';

// The page's palette: pale land on a soft blue sea, borders in a muted violet that neither
// the trail (red) nor the markers (blue) use.
var COLORS = {
  sea: '#c6d9e6', land: '#f3f1ea', coast: '#8eabbf', border: '#9d86bb',
  capital: '#1d2430', town: '#3b4453', halo: 'rgba(255, 255, 255, 0.88)'
};

// The rings or lines of one list, as one array of x, y pairs with where each line starts and
// the box around it (all in steps of the quantized world). Yields now and then: see readData.
function* decodeLines(texts, digit) {
  var size = 0;
  for (var t = 0; t < texts.length; t++) size += String(texts[t]).length;
  var coords = new Int32Array(size), used = 0, starts = [0], boxes = [], sinceYield = 0;
  for (t = 0; t < texts.length; t++) {
    var text = String(texts[t]);
    var x = 0, y = 0, value = 0, weight = 1, isY = false, first = used;
    var minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
    for (var i = 0; i < text.length; i++) {
      var d = digit[text.charCodeAt(i) & 127];
      if (d < 0) break;
      value += (d & 31) * weight;
      if (d & 32) { weight *= 32; continue; }
      var step = value % 2 ? -(value + 1) / 2 : value / 2;
      value = 0;
      weight = 1;
      if (!isY) {
        x += step;
      } else {
        y += step;
        coords[used++] = x;
        coords[used++] = y;
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
      }
      isY = !isY;
    }
    if (used - first >= 4) {
      starts.push(used);
      boxes.push(minX, minY, maxX, maxY);
    } else {
      used = first;
    }
    sinceYield += text.length;
    if (sinceYield > DECODE_PIECE) {
      sinceYield = 0;
      yield;
    }
  }
  return { coords: coords, starts: starts, boxes: boxes };
}

function validShapes(shapes) {
  return !!shapes && Array.isArray(shapes.land) && Array.isArray(shapes.borders);
}

// Reads the page's data in pieces, each next() of the generator one piece, so that no task
// of the page runs long: parsing, decoding a few thousand characters of lines at a time,
// measuring a few dozen place names at a time. Its value at the end is the data, or null
// when the page holds none that can be read.
function* readData(measure) {
  var data;
  try {
    data = JSON.parse(document.getElementById('tb-offline-map').textContent);
  } catch (e) {
    return null;
  }
  if (!data || !(data.quantum > 0) || !validShapes(data) || !Array.isArray(data.places)) return null;
  yield;
  var digit = new Int8Array(128).fill(-1);
  for (var k = 0; k < ALPHABET.length; k++) digit[ALPHABET.charCodeAt(k)] = k;
  var fine = { land: yield* decodeLines(data.land, digit), borders: yield* decodeLines(data.borders, digit) };
  var coarse = !validShapes(data.coarse) ? fine
    : { land: yield* decodeLines(data.coarse.land, digit), borders: yield* decodeLines(data.coarse.borders, digit) };
  var places = data.places.filter(function (p) {
    return Array.isArray(p) && isFinite(p[0]) && isFinite(p[1]) && typeof p[2] === 'string';
  });
  var widths = [];
  for (var i = 0; i < places.length; i++) {
    widths.push(measure(places[i]));
    if (i % MEASURE_PIECE === MEASURE_PIECE - 1) yield;
  }
  return { quantum: data.quantum, fine: fine, coarse: coarse, places: places, widths: widths };
}

// Which side of the square world a point lies on: the cuts at 180 degrees and the edge
// beyond Antarctica are parts of land rings but no coast.
function worldEdge(x, y, q) {
  return x <= 0 ? 1 : x >= q ? 2 : y >= q ? 3 : y <= 0 ? 4 : 0;
}

// Adds the lines whose box meets the tile to the canvas path, in tile pixels; a line that
// reaches past 180 degrees also a world to the left or right.
function traceLines(g, lines, tile, how) {
  var b = lines.boxes, q = tile.quantum;
  for (var r = 0; r + 1 < lines.starts.length; r++) {
    for (var shift = -q; shift <= q; shift += q) {
      if (b[4 * r] + shift <= tile.box[2] && b[4 * r + 2] + shift >= tile.box[0] &&
          b[4 * r + 1] <= tile.box[3] && b[4 * r + 3] >= tile.box[1]) {
        traceLine(g, lines, r, tile, tile.ox - shift * tile.scale, how);
      }
    }
  }
}

// One line. A run of points that all lie beyond one side of the tile is drawn as one step
// from its first to its last point: that changes nothing inside the tile, fill included, and
// keeps a continent's outline cheap at a town's zoom. Points closer than half a pixel to the
// last one drawn are skipped.
function traceLine(g, lines, r, tile, ox, how) {
  var c = lines.coords, scale = tile.scale, oy = tile.oy, q = tile.quantum;
  var low = -tile.margin, high = TILE + tile.margin;
  var start = lines.starts[r], end = lines.starts[r + 1];
  var px = 0, py = 0, side = 0, edge = 0, pendingX = 0, pendingY = 0, pending = false;
  for (var i = start; i < end; i += 2) {
    var x = c[i] * scale - ox, y = c[i + 1] * scale - oy;
    var code = (x < low ? 1 : x > high ? 2 : 0) | (y < low ? 4 : y > high ? 8 : 0);
    if (how === 'coast') {
      var nextEdge = worldEdge(c[i], c[i + 1], q);
      var cut = i > start && nextEdge !== 0 && nextEdge === edge;
      edge = nextEdge;
      if (cut) {
        if (pending) g.lineTo(pendingX, pendingY);
        pending = false;
        g.moveTo(x, y);
        px = x;
        py = y;
        side = code;
        continue;
      }
    }
    if (i === start) {
      g.moveTo(x, y);
    } else if (code & side) {
      side &= code;
      pendingX = x;
      pendingY = y;
      pending = true;
      continue;
    } else {
      if (pending) g.lineTo(pendingX, pendingY);
      pending = false;
      if (code === 0 && i + 2 < end && Math.abs(x - px) < 0.5 && Math.abs(y - py) < 0.5) {
        side = 0;
        continue;
      }
      g.lineTo(x, y);
    }
    px = x;
    py = y;
    side = code;
  }
  if (pending) g.lineTo(pendingX, pendingY);
  if (how === 'fill') g.closePath();
}

function boxesMeet(a, b) {
  return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

var OfflineMap = L.GridLayer.extend({
  options: { attribution: ATTRIBUTION, className: 'tb-offline-map', updateWhenZooming: false },

  initialize: function (options) {
    L.GridLayer.prototype.initialize.call(this, options);
    this.colors = L.extend({}, COLORS, options && options.colors);
    var family = getComputedStyle(document.documentElement).getPropertyValue('--tb-font').trim();
    this._family = family || 'sans-serif';
    this._queue = [];
    this._cache = new Map();
    this._labels = {};
    this._data = null;
    this._ready = false;
    this._reading = null;
    this._watch = null;
    this.on('remove', this._stopWatching, this);
  },

  // The decoded data, read to the end now if it is not yet; null when the page holds none
  // that can be read.
  data: function () {
    while (!this._ready) this._readPiece();
    return this._data;
  },

  _readPiece: function () {
    if (!this._reading) {
      var g = document.createElement('canvas').getContext('2d');
      var self = this;
      this._reading = readData(function (p) {
        g.font = self._font(p[4] === 1);
        return g.measureText(p[2]).width;
      });
    }
    var piece = this._reading.next();
    if (piece.done) {
      this._data = piece.value;
      this._ready = true;
    }
  },

  createTile: function (coords, done) {
    var ratio = Math.min(Math.max(1, Math.round(window.devicePixelRatio || 1)), 3);
    var key = coords.z + '/' + coords.x + '/' + coords.y + '@' + ratio;
    var cached = this._cache.get(key);
    var job = { key: key, coords: coords, done: done, ratio: ratio, copyOf: null };
    if (cached && !cached.parentNode) {
      job.canvas = cached;
    } else {
      job.canvas = document.createElement('canvas');
      job.canvas.width = job.canvas.height = TILE * ratio;
      job.copyOf = cached || null;
    }
    if (cached) job.ready = true;
    this._queue.push(job);
    this._schedule();
    return job.canvas;
  },

  _schedule: function () {
    if (this._timer) return;
    var self = this;
    this._timer = setTimeout(function () {
      self._timer = 0;
      self._work();
    }, 0);
  },

  // Reading the data takes tasks of its own, and so does placing the names of a zoom level.
  _work: function () {
    var started = performance.now();
    if (!this._ready) {
      while (!this._ready && performance.now() - started < TASK_BUDGET_MS) this._readPiece();
    } else {
      var busy = false;
      while (this._queue.length && performance.now() - started < TASK_BUDGET_MS) {
        var job = this._queue[0];
        // A tile that left the map before its turn is not drawn.
        if (!this._map || !job.canvas.parentNode) {
          this._queue.shift();
          continue;
        }
        var fresh = !job.ready && !job.copyOf;
        if (fresh && !this._labels[job.coords.z]) {
          if (!busy) this.labelsAt(job.coords.z);
          break;
        }
        this._queue.shift();
        if (job.copyOf) job.canvas.getContext('2d').drawImage(job.copyOf, 0, 0);
        else if (fresh) this._drawTile(job.canvas, job.coords, job.ratio);
        this._remember(job.key, job.canvas);
        job.done(null, job.canvas);
        busy = true;
      }
    }
    if (this._queue.length) this._schedule();
  },

  _remember: function (key, canvas) {
    this._cache.delete(key);
    this._cache.set(key, canvas);
    if (this._cache.size > CACHED_TILES) this._cache.delete(this._cache.keys().next().value);
  },

  _drawTile: function (canvas, coords, ratio) {
    var g = canvas.getContext('2d');
    var colors = this.colors;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.fillStyle = colors.sea;
    g.fillRect(0, 0, TILE, TILE);
    var data = this.data();
    if (!data) return;
    var scale = (TILE * Math.pow(2, coords.z)) / data.quantum;
    var ox = coords.x * TILE, oy = coords.y * TILE, margin = 4;
    var tile = {
      quantum: data.quantum, scale: scale, ox: ox, oy: oy, margin: margin,
      box: [(ox - margin) / scale, (oy - margin) / scale, (ox + TILE + margin) / scale,
        (oy + TILE + margin) / scale]
    };
    var fine = coords.z >= 4;
    var shapes = coords.z <= 2 ? data.coarse : data.fine;
    g.lineJoin = 'round';
    g.beginPath();
    traceLines(g, shapes.land, tile, 'fill');
    g.fillStyle = colors.land;
    g.fill('evenodd');
    g.beginPath();
    traceLines(g, shapes.land, tile, 'coast');
    g.strokeStyle = colors.coast;
    g.lineWidth = fine ? 1 : 0.6;
    g.stroke();
    g.beginPath();
    traceLines(g, shapes.borders, tile, 'line');
    g.strokeStyle = colors.border;
    g.lineWidth = fine ? 1.2 : 0.7;
    g.stroke();
    this._drawLabels(g, coords.z, [ox, oy, ox + TILE, oy + TILE]);
  },

  // The names shown at zoom z, placed once for the whole world so that neighbouring tiles
  // agree: each at its place's world pixel, to the right of its dot or else to the left.
  labelsAt: function (z) {
    if (this._labels[z]) return this._labels[z];
    var data = this.data();
    var labels = [];
    if (data) {
      var widths = data.widths;
      var scale = (TILE * Math.pow(2, z)) / data.quantum;
      var taken = [];
      var free = function (box) {
        for (var k = 0; k < taken.length; k++) if (boxesMeet(box, taken[k])) return false;
        return true;
      };
      for (var i = 0; i < data.places.length; i++) {
        var p = data.places[i];
        if (p[3] > z) continue;
        var capital = p[4] === 1;
        var size = capital ? 12 : 11;
        var width = widths[i];
        var x = p[0] * scale, y = p[1] * scale, half = size / 2 + 2;
        var dot = [x - 4, y - 4, x + 4, y + 4];
        if (!free(dot)) continue;
        var right = [x + 5, y - half, x + 8 + width, y + half];
        var left = [x - 8 - width, y - half, x - 5, y + half];
        var text = free(right) ? right : free(left) ? left : null;
        if (!text) continue;
        taken.push(dot, text);
        labels.push({ name: p[2], capital: capital, font: this._font(capital), x: x, y: y, textX: text[0] + 1.5,
          parts: [dot, text],
          box: [Math.min(dot[0], text[0]), Math.min(dot[1], text[1]),
            Math.max(dot[2], text[2]), Math.max(dot[3], text[3])] });
      }
    }
    this._labels[z] = labels;
    return labels;
  },

  _font: function (capital) {
    return (capital ? '600 12px ' : '11px ') + this._family;
  },

  _drawLabels: function (g, z, tileBox) {
    var labels = this.labelsAt(z);
    var colors = this.colors;
    g.textBaseline = 'middle';
    g.textAlign = 'left';
    for (var i = 0; i < labels.length; i++) {
      var label = labels[i];
      if (!boxesMeet(label.box, tileBox)) continue;
      var x = label.x - tileBox[0], y = label.y - tileBox[1];
      var ink = label.capital ? colors.capital : colors.town;
      g.beginPath();
      if (label.capital) g.rect(x - 3, y - 3, 6, 6);
      else g.arc(x, y, 2.5, 0, 2 * Math.PI);
      g.fillStyle = ink;
      g.strokeStyle = '#fff';
      g.lineWidth = 1.5;
      g.stroke();
      g.fill();
      g.font = label.font;
      g.lineWidth = 3;
      g.strokeStyle = colors.halo;
      g.strokeText(label.name, label.textX - tileBox[0], y);
      g.fillStyle = ink;
      g.fillText(label.name, label.textX - tileBox[0], y);
    }
  },

  // While this layer is on the map: one tile of tileLayer at the map's centre, tried every
  // PROBE_MS and when the browser says it is online again; onBack(tileLayer) when it loads.
  watchForTiles: function (tileLayer, onBack) {
    this._stopWatching();
    var self = this;
    var watch = this._watch = { timer: 0, image: null };
    var probe = function () {
      if (self._watch !== watch || !self._map) return;
      var map = self._map;
      var zoom = Math.min(Math.round(map.getZoom()), tileLayer.options.maxNativeZoom || 18);
      var tile = map.project(map.getCenter(), zoom).divideBy(TILE).floor();
      var subdomains = tileLayer.options.subdomains;
      var url = L.Util.template(tileLayer._url, L.extend({}, tileLayer.options, {
        s: typeof subdomains === 'string' ? subdomains.charAt(0) : subdomains[0],
        r: '', x: tile.x, y: tile.y, z: zoom
      }));
      var image = watch.image = new Image();
      image.onload = function () {
        if (self._watch !== watch || watch.image !== image) return;
        self._stopWatching();
        onBack(tileLayer);
      };
      image.src = url;
    };
    watch.probe = probe;
    watch.timer = setInterval(probe, PROBE_MS);
    window.addEventListener('online', probe);
  },

  _stopWatching: function () {
    var watch = this._watch;
    if (!watch) return;
    this._watch = null;
    clearInterval(watch.timer);
    window.removeEventListener('online', watch.probe);
  }
});

// The Leaflet layer (see above).
export function createOfflineMap(options) { return new OfflineMap(options); }
