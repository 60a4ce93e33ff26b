// The album page's clustering index: the photos grouped per zoom level by the clustering
// library, answering the page's requests (see the end of serveIndex). It runs in the worker
// (cluster_worker.js) or, for a small album or where no worker starts, in the page itself
// (see clusters.js).

// Runs in the worker (or in the page). Photos are known by their place in the walk; photos
// at one spot (five-decimal positions as read) form one stack. Besides the index, it reads
// the page's two position lists (with readPositions of lists.js) while the page reads the
// others.
export function serveIndex(scope, Supercluster, readPositions) {
  var lat, lng, spotLat, spotLng, maxZoom, radius, indexes = {};
  function init(m) {
    lat = m.lat; lng = m.lng; maxZoom = m.maxZoom; radius = m.radius;
    spotLat = new Int32Array(m.fullLat.length);
    spotLng = new Int32Array(m.fullLng.length);
    for (var w = 0; w < spotLat.length; w++) {
      spotLat[w] = Math.round(m.fullLat[w] * 1e5);
      spotLng[w] = Math.round(m.fullLng[w] * 1e5);
    }
  }
  // The stacks of the walk places from `from` to `to`: stack g holds `size[g]` photos, the
  // first at walk place `first[g]`, each next one at `next[w - from]` (-1: none), and the
  // photo at w is in stack `stackOf[w - from]`.
  function stacks(from, to, exclude) {
    var length = to - from, bits = 32 - Math.clz32(2 * length + 1), mask = (1 << bits) - 1;
    var slots = new Int32Array(mask + 1).fill(-1), last = new Int32Array(length);
    var s = { from: from, count: 0, first: new Int32Array(length), size: new Int32Array(length),
      next: new Int32Array(length).fill(-1), stackOf: new Int32Array(length).fill(-1) };
    for (var w = from; w < to; w++) {
      if (exclude.indexOf(w) >= 0) continue;
      var a = spotLat[w], b = spotLng[w], h = (Math.imul(a, 0x9e3779b1) ^ Math.imul(b, 0x85ebca77)) & mask, g;
      while ((g = slots[h]) >= 0 && (spotLat[s.first[g]] !== a || spotLng[s.first[g]] !== b)) h = (h + 1) & mask;
      if (g < 0) {
        g = slots[h] = s.count++;
        s.first[g] = w;
      } else {
        s.next[last[g] - from] = w;
      }
      last[g] = w;
      s.size[g]++;
      s.stackOf[w - from] = g;
    }
    return s;
  }
  // The stacks as points for the clustering library, which reads each once while loading
  // and keeps only its properties (the stack's number): one point object serves them all.
  // `pointLat`/`pointLng` are the positions by walk place.
  function points(s, pointLat, pointLng) {
    var coordinates = [0, 0], point = { type: 'Feature', properties: 0, geometry: { type: 'Point', coordinates: coordinates } };
    var step = { value: point, done: false }, end = { value: undefined, done: true };
    var list = { length: s.count };
    list[Symbol.iterator] = function () {
      var g = 0;
      return { next: function () {
        if (g >= s.count) return end;
        coordinates[0] = pointLng[s.first[g]];
        coordinates[1] = pointLat[s.first[g]];
        point.properties = g++;
        return step;
      } };
    };
    return list;
  }
  // How many photos each cluster holds and the walk place of its first, by the place where
  // the cluster began (the zoom level and the item there; see clusterOrigin). The library
  // keeps, for each zoom level, its clusters and the points it left alone as rows of
  // STRIDE numbers, and marks each row it merged with the id of the cluster it went into.
  var STRIDE = 6, ID = 3, PARENT = 4, NUM = 5;
  function countClusters(index, s) {
    var counts = [], firsts = [];
    for (var z = maxZoom; z >= 0; z--) {
      var below = index.trees[z + 1];
      if (index.trees[z] === below) continue;  // no cluster began at this zoom
      var rows = below.data, n = counts[z + 1] = new Int32Array(below.numItems);
      var f = firsts[z + 1] = new Int32Array(below.numItems).fill(0x7fffffff);
      for (var k = 0; k < below.numItems; k++) {
        var parent = rows[k * STRIDE + PARENT];
        if (parent < 0) continue;
        var id = rows[k * STRIDE + ID], size, first;
        if (rows[k * STRIDE + NUM] === 1) {
          size = s.size[id];
          first = s.first[id];
        } else {
          var from = clusterOrigin(index, id);
          size = counts[from.zoom][from.item];
          first = firsts[from.zoom][from.item];
        }
        var to = clusterOrigin(index, parent).item;
        n[to] += size;
        if (first < f[to]) f[to] = first;
      }
    }
    return { size: counts, first: firsts };
  }
  function clusterOrigin(index, id) {
    var offset = id - index.numPoints;
    return { zoom: offset % 32, item: offset >> 5 };
  }
  function build(key, from, to, exclude) {
    var s = stacks(from, to, exclude);
    var index = new Supercluster({ radius: radius, maxZoom: maxZoom, minPoints: 2 }).load(points(s, lat, lng));
    indexes[key] = { index: index, stacks: s, clusters: countClusters(index, s) };
    return to - from - exclude.length;
  }
  // The index of a made-up walk of WARM_UP photos, made while a worker waits for the page to
  // ask for the album's: the browser compiles the library's code on its first run, which
  // makes the album's index about a third faster to build when it is large.
  var WARM_UP = 4000;
  function warmUp(zoom, pixels) {
    var walkLat = new Float64Array(WARM_UP), walkLng = new Float64Array(WARM_UP);
    var s = { count: WARM_UP, first: new Int32Array(WARM_UP) }, seed = 1;
    function step() {
      seed = (seed * 1103515245 + 12345) & 0x7fffffff;
      return (seed / 0x7fffffff - 0.5) / 1000;
    }
    for (var w = 1; w < WARM_UP; w++) {
      walkLat[w] = walkLat[w - 1] + step();
      walkLng[w] = walkLng[w - 1] + step();
      s.first[w] = w;
    }
    new Supercluster({ radius: pixels, maxZoom: zoom, minPoints: 2 }).load(points(s, walkLat, walkLng))
      .getClusters([-180, -85, 180, 85], zoom >> 1);
  }
  function items(entry, bbox, zoom) {
    var s = entry.stacks, c = entry.clusters;
    return entry.index.getClusters(bbox, zoom).map(function (f) {
      var p = f.properties, xy = f.geometry.coordinates;
      if (typeof p === 'number') return [xy[0], xy[1], s.size[p], s.first[p], -1, p];
      var at = clusterOrigin(entry.index, p.cluster_id);
      return [xy[0], xy[1], c.size[at.zoom][at.item], c.first[at.zoom][at.item], p.cluster_id, -1];
    });
  }
  function leaves(entry, clusterId, stack) {
    var s = entry.stacks, out = [];
    var list = clusterId >= 0 ? entry.index.getLeaves(clusterId, Infinity)
      .map(function (f) { return f.properties; }) : [stack];
    list.forEach(function (g) {
      for (var w = s.first[g]; w >= 0; w = s.next[w - s.from]) out.push(w);
    });
    return out.sort(function (a, b) { return a - b; });
  }
  // The least zoom from `zoom` on at which photo `w` stands alone or in its spot's stack.
  function locate(entry, w, zoom) {
    // The index keeps coordinates in single precision: a box of about a metre finds the photo.
    var s = entry.stacks, x = lng[w], y = lat[w], e = 1e-5;
    var stack = w >= s.from && w - s.from < s.stackOf.length ? s.stackOf[w - s.from] : -1;
    for (var z = zoom; z <= maxZoom; z++) {
      var found = entry.index.getClusters([x - e, y - e, x + e, y + e], z).some(function (f) {
        return f.properties === stack;
      });
      if (found) return z;
    }
    return maxZoom;
  }
  scope.onmessage = function (event) {
    var m = event.data, reply = { id: m.id }, transfer = [];
    if (m.type === 'close') return scope.close();
    try {
      if (m.type === 'positions') {
        reply.full = readPositions(m.full, m.expected);
        reply.points = readPositions(m.points, m.expected);
        [reply.full, reply.points].forEach(function (p) { if (p) transfer.push(p.lat.buffer, p.lng.buffer); });
      } else if (m.type === 'init') {
        init(m);
      } else if (m.type === 'index') {
        reply.placed = build(m.key, m.from, m.to, m.exclude);
      } else if (m.type === 'clusters') {
        reply.items = items(indexes[m.key], m.bbox, m.zoom);
      } else if (m.type === 'leaves') {
        reply.walk = leaves(indexes[m.key], m.clusterId, m.group);
      } else if (m.type === 'expansion') {
        reply.zoom = indexes[m.key].index.getClusterExpansionZoom(m.clusterId);
      } else if (m.type === 'locate') {
        reply.zoom = locate(indexes[m.key], m.w, m.zoom);
      }
    } catch (error) {
      reply.error = String(error && error.message || error);
    }
    scope.postMessage(reply, transfer);
    if (m.type === 'positions' && m.warmUp && !scope.inPage) {
      try {
        warmUp(m.maxZoom, m.radius);
      } catch (e) {
        // Only time was to be gained.
      }
    }
  };
}
