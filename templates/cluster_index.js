// The album page's clustering index: the photos grouped per zoom level by the inlined
// clustering library, in a worker so that building it never blocks the page.
//
// TrailbookClusters.start(useWorker) gives ask(type, message), which sends the index a request
// and gives a promise of its reply (see workerMain for the requests). With useWorker false, or
// where no worker can start, the same code runs in the page itself.
//
// The worker starts when this script runs, while the browser is still reading the photo lists
// further down the page, so that it is up by the time the page asks for its index.
var TrailbookClusters = (function () {
  'use strict';

  // Runs in the worker (or in the page). Photos are known by their place in the walk; photos
  // at one spot (five-decimal positions as read) form one stack.
  function workerMain(scope, Supercluster) {
    var lat, lng, spotOf, maxZoom, radius, indexes = {};
    function init(m) {
      lat = m.lat; lng = m.lng; maxZoom = m.maxZoom; radius = m.radius;
      spotOf = new Float64Array(m.fullLat.length);
      for (var w = 0; w < spotOf.length; w++) {
        spotOf[w] = (Math.round(m.fullLat[w] * 1e5) + 9e6) * 4e7 + Math.round(m.fullLng[w] * 1e5) + 2e7;
      }
    }
    function build(key, from, to, exclude) {
      var groupOfSpot = new Map(), groups = [], features = [];
      for (var w = from; w < to; w++) {
        if (exclude.indexOf(w) >= 0) continue;
        var g = groupOfSpot.get(spotOf[w]);
        if (g === undefined) {
          g = groups.length;
          groupOfSpot.set(spotOf[w], g);
          groups.push([w]);
          features.push({ type: 'Feature', properties: { g: g, n: 1, w: w },
            geometry: { type: 'Point', coordinates: [lng[w], lat[w]] } });
        } else {
          groups[g].push(w);
          features[g].properties.n++;
        }
      }
      var index = new Supercluster({
        radius: radius, maxZoom: maxZoom, minPoints: 2,
        map: function (p) { return { n: p.n, w: p.w }; },
        reduce: function (a, b) { a.n += b.n; if (b.w < a.w) a.w = b.w; }
      }).load(features);
      indexes[key] = { index: index, groups: groups };
      return to - from - exclude.length;
    }
    function items(entry, bbox, zoom) {
      return entry.index.getClusters(bbox, zoom).map(function (f) {
        var p = f.properties, c = f.geometry.coordinates;
        return [c[0], c[1], p.n, p.w, p.cluster ? p.cluster_id : -1, p.cluster ? -1 : p.g];
      });
    }
    function leaves(entry, clusterId, group) {
      var out = [];
      var groups = clusterId >= 0 ? entry.index.getLeaves(clusterId, Infinity)
        .map(function (f) { return f.properties.g; }) : [group];
      groups.forEach(function (g) { out.push.apply(out, entry.groups[g]); });
      return out.sort(function (a, b) { return a - b; });
    }
    // The least zoom from `zoom` on at which photo `w` stands alone or in its spot's stack.
    function locate(entry, w, zoom) {
      // The index keeps coordinates in single precision: a box of about a metre finds the photo.
      var x = lng[w], y = lat[w], e = 1e-5;
      for (var z = zoom; z <= maxZoom; z++) {
        var found = entry.index.getClusters([x - e, y - e, x + e, y + e], z).some(function (f) {
          return !f.properties.cluster && entry.groups[f.properties.g].indexOf(w) >= 0;
        });
        if (found) return z;
      }
      return maxZoom;
    }
    scope.onmessage = function (event) {
      var m = event.data, reply = { id: m.id };
      try {
        if (m.type === 'init') {
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
      scope.postMessage(reply);
    };
  }

  // The text of the page's script that starts with `head`, or null.
  function scriptText(head) {
    for (var k = 0; k < document.scripts.length; k++) {
      var text = document.scripts[k].text;
      if (text.lastIndexOf(head, 0) === 0) return text;
    }
    return null;
  }
  // The worker, from the inlined clustering library's own text; null where it cannot start.
  function startWorker() {
    var library = scriptText('/* supercluster/');
    if (!library || !window.Worker || !window.Blob || !window.URL) return null;
    try {
      var source = library + '\n;(' + workerMain.toString() + ')(self, self.Supercluster);';
      var worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
      // A worker that fails before the page asks for it is not used.
      worker.onerror = function (e) {
        e.preventDefault();
        if (earlyWorker === worker) earlyWorker = null;
      };
      return worker;
    } catch (e) {
      return null;
    }
  }
  var earlyWorker = startWorker();

  function start(useWorker) {
    var pending = {}, nextId = 1, channel = null;
    function receive(reply) {
      var request = pending[reply.id];
      delete pending[reply.id];
      if (!request) return;
      if (reply.error) request.reject(new Error(reply.error));
      else request.resolve(reply);
    }
    function inPage() {
      var scope = { postMessage: function (reply) { setTimeout(function () { receive(reply); }, 0); } };
      workerMain(scope, window.Supercluster);
      return { postMessage: function (m) { setTimeout(function () { scope.onmessage({ data: m }); }, 0); } };
    }
    var worker = earlyWorker;
    earlyWorker = null;
    if (worker && useWorker) {
      worker.onmessage = function (e) { receive(e.data); };
      worker.onerror = function (e) {
        // The worker could not run: the page does the work itself from here on.
        e.preventDefault();
        channel = inPage();
        Object.keys(pending).forEach(function (id) {
          var request = pending[id], message = request.again ? request.again() : request.message;
          message.type = request.message.type;
          message.id = request.message.id;
          channel.postMessage(message);
        });
      };
      channel = worker;
    } else {
      if (worker) worker.terminate();
      channel = inPage();
    }
    // `transfer`: buffers of the message handed over to the worker (and no longer the page's);
    // `again` then makes the message afresh, should the page have to do the work itself.
    return function ask(type, message, transfer, again) {
      message.type = type;
      message.id = nextId++;
      return new Promise(function (resolve, reject) {
        pending[message.id] = { resolve: resolve, reject: reject, message: message, again: again };
        channel.postMessage(message, transfer || []);
      });
    };
  }

  return { start: start };
})();
