// The page's side of the clustering index (cluster_index.js).
//
// startEarlyWorker() starts the worker while the browser is still reading the photo lists
// further down the page, so that it is up by the time the page asks for its index.
// start(useWorker) then gives ask(type, message), which sends the index a request and gives a
// promise of its reply (see serveIndex for the requests). With useWorker false, or where no
// worker can start, the same code runs in the page itself.
import Supercluster from 'supercluster';
// The worker's bundle as text, made by the template build from cluster_worker.js.
import workerSource from 'cluster-worker-source';

import { serveIndex } from './cluster_index.js';
import { readPositions } from './lists.js';

var earlyWorker = null;

// The worker from its bundle's text; null where it cannot start.
function startWorker() {
  if (!window.Worker || !window.Blob || !window.URL) return null;
  try {
    var worker = new Worker(URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' })));
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

export function startEarlyWorker() {
  earlyWorker = startWorker();
}

export function start(useWorker) {
  var pending = {}, nextId = 1, channel = null;
  function receive(reply) {
    var request = pending[reply.id];
    delete pending[reply.id];
    if (!request) return;
    if (reply.error) request.reject(new Error(reply.error));
    else request.resolve(reply);
  }
  function inPage() {
    var scope = { inPage: true, postMessage: function (reply) { setTimeout(function () { receive(reply); }, 0); } };
    serveIndex(scope, Supercluster, readPositions);
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
    // Not needed for the index: it closes once it has loaded the number formats.
    if (worker) worker.postMessage({ type: 'close' });
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
