// The page sets itself up in steps that each leave the browser free to paint and answer
// input in between; the longest is reading one list. The steps' order is main.js's.
import { album, timing } from './test_hooks.js';

// Lets the browser run what waits (painting, input) before the next step.
var yieldChannel = new MessageChannel(), yieldQueue = [];
var SLICE_MS = 30, sliceStart = performance.now();
yieldChannel.port1.onmessage = function () {
  sliceStart = performance.now();
  yieldQueue.shift()();
};
function nextTask() {
  return new Promise(function (resolve) {
    yieldQueue.push(resolve);
    yieldChannel.port2.postMessage(0);
  });
}
// Between the slices of a long step: the next task once this one has run for a while.
export function pause() { return performance.now() - sliceStart > SLICE_MS ? nextTask() : null; }
// Where the page starts: the slice begins with its setup.
export function startSlice() { sliceStart = performance.now(); }

var afterReady = [];
export function markReady() {
  album.ready = true;
  album.readyAt = performance.now();
  timing('ready');
  document.documentElement.setAttribute('data-album-ready', 'true');
  document.dispatchEvent(new CustomEvent('albumready'));
  afterReady.splice(0).forEach(function (run) { setTimeout(run, 0); });
}
// Runs `run` once the photos are placed and the page answers input.
export function whenReady(run) {
  if (album.ready) run();
  else afterReady.push(run);
}
