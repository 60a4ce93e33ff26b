#!/usr/bin/env node
// Load time of a large album page in headless Chromium, from disk as the program opens it.
//
//   node bench/album_page_load.mjs [--photos 100000] [--runs 3] [--compare OLD_TEMPLATE.html]
//                                  [--compare-writer OLD_MAKE_TEST_ALBUM] [--track POINTS]
//
// Writes an album page of a made-up journey (with the program's writer when
// TRAILBOOK_MAKE_TEST_ALBUM names the make_test_album tool, else the JavaScript one), with every
// photo file present (links to one small JPEG), opens it in a fresh browser context each run and
// reports, as medians over the runs:
//   parsed    navigation start to DOMContentLoaded (the page parsed and its scripts run)
//   ready     navigation start to every photo placed on the map and the page answering input
//             (window.album.readyAt)
//   after     ready minus parsed: how long the map waits for its markers after the parse
//   longest   the longest main-thread task after the first paint, until ready and through the
//             zoom step and popup below (tasks under 50 ms are not reported by the browser)
//   loading   the longest from the first paint until ready, the browser's own included
//   setup     the longest from the page's script's start until ready
//   busy      main-thread task time until ready (what the page itself cost)
//   zoom      one zoom step in, until the markers of the new level are painted
//   popup     a photo's popup opened from its marker (zooming in included)
//   heap      JavaScript heap of the page's main thread when ready
//   offline   with no network: the offline map's drawing tasks (longest, median, how many over
//             50 ms: wall time, so a loaded machine's pauses count too) and its drawing time per
//             view, over views from zoom 2 to 12 (each drawn afresh: no cached tiles)
// With --track, the page also gets a recorded track of POINTS points along the journey (see
// walkTrack), drawn as the trail, and reports
//   zooms     the slowest of six zoom steps in from the overview, each until painted
// With --compare, the same page is also written from OLD_TEMPLATE.html and both are loaded in
// turn in every run, so that both sets of figures share the machine's load; with
// --compare-writer, that page is written by another make_test_album (the writer of before).
// The template is TRAILBOOK_TEMPLATE or build/bin/templates/template.html.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { performance } from 'node:perf_hooks';

import {
  fillOptionalLists, launchChromium, linkPhotos, openAlbum, templatePath, tempDir, writeAlbumPage,
} from '../tests/templates/album_pages.mjs';
import { walkRows, walkTrack } from '../tests/templates/walk_rows.mjs';

function option(name, fallback) {
  const at = process.argv.indexOf(`--${name}`);
  return at > 0 ? process.argv[at + 1] : fallback;
}
const photos = Number(option('photos', 100000));
const runs = Number(option('runs', 3));
const compare = option('compare', null);
const compareWriter = option('compare-writer', undefined);
const trackPoints = Number(option('track', 0));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const load = () => os.loadavg().map((l) => l.toFixed(2)).join(' ');

const dir = tempDir('trailbook-bench-');
const rows = walkRows(photos, { seed: 42 });
const pages = [{ label: 'this page', template: templatePath() }];
if (compare) pages.unshift({ label: 'compared page', template: compare, tool: compareWriter });
for (const [k, page] of pages.entries()) {
  page.path = path.join(dir, `album-${k}.html`);
  const writeStart = performance.now();
  page.writer = writeAlbumPage(rows, page.path, { template: page.template, tool: page.tool });
  page.writeMs = performance.now() - writeStart;
  if (trackPoints) fillOptionalLists(page.path, { track: walkTrack(rows, trackPoints) });
  page.bytes = fs.statSync(page.path).size;
  page.results = [];
}

// Long tasks from the start, and the first paint, as the page sees them.
function watchTasks() {
  window.__longTasks = [];
  new PerformanceObserver((list) => {
    for (const e of list.getEntries()) window.__longTasks.push([e.startTime, e.duration]);
  }).observe({ type: 'longtask', buffered: true });
}

async function measure(browser, page) {
  let cdp;
  const view = await openAlbum(browser, page.path, {
    beforeLoad: async (tab, context) => {
      await tab.addInitScript(watchTasks);
      cdp = await context.newCDPSession(tab);
      await cdp.send('Performance.enable');
    },
  });
  const tab = view.page;
  // Main-thread time spent on the page up to now: less sensitive than wall time to other
  // programs competing for the processor.
  const metrics = Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics
    .map((m) => [m.name, m.value]));
  const busy = metrics.TaskDuration * 1000;
  const state = await tab.evaluate(() => {
    const nav = performance.getEntriesByType('navigation')[0];
    const album = window.album;
    return { parsed: nav.domContentLoadedEventEnd, ready: album.readyAt, timings: album.timings,
      placed: album.placed ? album.placed() : album.clusters.getLayers().length,
      heap: performance.memory ? performance.memory.usedJSHeapSize / 1048576 : NaN };
  });
  if (state.placed !== photos) throw new Error(`only ${state.placed} of ${photos} photos placed`);
  const zoom = await tab.evaluate(() => new Promise((done) => {
    const { map } = window.album;
    const start = performance.now();
    map.setZoom(map.getZoom() + 1, { animate: false });
    Promise.resolve(window.album.settled).then(() => requestAnimationFrame(() =>
      requestAnimationFrame(() => done(performance.now() - start))));
  }));
  // Zoom steps in from the overview: with a track, the first ones redraw all of it.
  const zooms = trackPoints ? await tab.evaluate(async () => {
    const { map } = window.album;
    const times = [];
    window.album.chooseDay(-1, true);
    await window.album.settled;
    for (let k = 0; k < 6; k++) {
      const start = performance.now();
      map.setZoom(map.getZoom() + 1, { animate: false });
      await window.album.settled;
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
      times.push(performance.now() - start);
    }
    return Math.max(...times);
  }) : NaN;
  const popup = await tab.evaluate((index) => new Promise((done) => {
    const { map } = window.album;
    const start = performance.now();
    map.once('popupopen', () => requestAnimationFrame(() => done(performance.now() - start)));
    window.album.openPhoto(index, false);
  }), Math.floor(photos / 2));
  await tab.waitForTimeout(300);
  const [longest, loading, setup] = await tab.evaluate(() => {
    const paint = performance.getEntriesByName('first-paint')[0];
    const { readyAt, timings } = window.album;
    const longestFrom = (from, to = Infinity) => Math.max(0, ...window.__longTasks
      .filter(([start]) => start >= from && start < to).map(([, d]) => d));
    const after = paint ? paint.startTime : 0;
    return [longestFrom(after), longestFrom(after, readyAt), longestFrom(timings.start, readyAt)];
  });
  await tab.evaluate(() => window.album.map.closePopup());
  const offline = await offlineDrawing(tab);
  const problems = view.problems();
  if (problems.length) throw new Error(`page reported problems:\n${problems.join('\n')}`);
  await view.context.close();
  return { ...state, after: state.ready - state.parsed, busy, zoom, zooms, popup, longest, loading, setup,
    ...offline };
}

// The offline map's drawing (shown when the page has no network, as here): each drawing task
// is timed, over one view per zoom level from 2 to 12 at the album's centre.
async function offlineDrawing(page) {
  return page.evaluate(async () => {
    const { map, offlineMap } = window.album;
    // The page turns to the offline map when every tile provider has failed, and not before
    // its photos are placed: up to a few seconds after ready.
    for (let waited = 0; offlineMap && !map.hasLayer(offlineMap) && waited < 10000; waited += 100) {
      await new Promise((done) => setTimeout(done, 100));
    }
    if (!offlineMap || !map.hasLayer(offlineMap)) return { offlineViews: 0 };
    const work = offlineMap._work;
    const spent = [];
    offlineMap._work = function () {
      const start = performance.now();
      work.call(this);
      spent.push(performance.now() - start);
    };
    const center = map.getCenter();
    const drawn = () => new Promise((done) => {
      const check = () => (offlineMap.isLoading() ? setTimeout(check, 20) : done());
      setTimeout(check, 20);
    });
    let views = 0;
    for (let zoom = 2; zoom <= 12; zoom++) {
      offlineMap._cache.clear();
      map.setView(center, zoom, { animate: false });
      await drawn();
      views++;
    }
    offlineMap._work = work;
    spent.sort((a, b) => a - b);
    return { offlineViews: views, offlineTask: spent[spent.length - 1],
      offlineTaskMedian: spent[Math.floor(spent.length / 2)], offlineTasks: spent.length,
      offlineOver50: spent.filter((ms) => ms > 50).length,
      offlineView: spent.reduce((a, b) => a + b, 0) / views };
  });
}

const browser = await launchChromium();
try {
  await linkPhotos(browser, dir, rows.map((r) => r.name));
  for (let run = 0; run < runs; run++) {
    for (const page of pages) {
      const loadBefore = load();
      const r = await measure(browser, page);
      page.results.push(r);
      console.log(`run ${run + 1}, ${page.label}: parsed ${r.parsed.toFixed(0)} ms, ready ` +
        `${r.ready.toFixed(0)} ms (${r.after.toFixed(0)} ms after the parse), longest task after ` +
        `first paint ${r.longest.toFixed(0)} ms (loading ${r.loading.toFixed(0)} ms, setup ` +
        `${r.setup.toFixed(0)} ms), main thread busy ${r.busy.toFixed(0)} ms, zoom ` +
        `${r.zoom.toFixed(0)} ms${trackPoints ? `, slowest of six zoom steps ${r.zooms.toFixed(0)} ms` : ''}, popup ${r.popup.toFixed(0)} ms, JS heap ${r.heap.toFixed(0)} MB ` +
        `(load average before: ${loadBefore})`);
      console.log(`  ${r.offlineViews ? `offline map: longest task ${r.offlineTask.toFixed(1)} ms ` +
        `(median ${r.offlineTaskMedian.toFixed(1)} ms, ${r.offlineOver50} of ${r.offlineTasks} over ` +
        `50 ms), ${r.offlineView.toFixed(0)} ms drawing a view` : 'offline map not shown'}`);
      console.log(`  steps: ${Object.entries(r.timings).map(([k, v]) => `${k} ${v.toFixed(0)}`).join(', ')}`);
    }
  }
} finally {
  await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
}

console.log(`\nalbum page with ${photos} photos${trackPoints ? ` and a track of ${trackPoints} points` : ''}, median of ${runs} runs in headless Chromium, ` +
  `${os.cpus().length} cores, load average now ${load()}:`);
const keys = [['parsed', 'parsed (DOMContentLoaded)'], ['ready', 'photos placed, page ready'],
  ['after', 'ready after the parse'], ['longest', 'longest task after first paint'],
  ['loading', '  until ready'], ['setup', '  in the page\'s setup'],
  ['busy', 'main thread busy until ready'], ['zoom', 'one zoom step'],
  ...(trackPoints ? [['zooms', 'slowest of six zoom steps']] : []),
  ['popup', 'popup of the middle photo']];
const header = ['', ...pages.map((p) => p.label)];
console.log(`  ${header[0].padEnd(32)}${header.slice(1).map((h) => h.padStart(16)).join('')}`);
for (const [key, text] of keys) {
  console.log(`  ${text.padEnd(32)}${pages.map((p) => `${median(p.results.map((r) => r[key])).toFixed(0)} ms`
    .padStart(16)).join('')}`);
}
console.log(`  ${'JS heap when ready'.padEnd(32)}${pages.map((p) => `${median(p.results.map((r) => r.heap))
  .toFixed(0)} MB`.padStart(16)).join('')}`);
for (const page of pages) {
  console.log(`  ${page.label}: ${page.template} (${(page.bytes / 1048576).toFixed(1)} MiB page, written by ` +
    `${page.writer} in ${page.writeMs.toFixed(0)} ms)`);
}
const offlinePages = pages.filter((p) => p.results.every((r) => r.offlineViews));
for (const page of offlinePages) {
  const m = (key) => median(page.results.map((r) => r[key]));
  console.log(`  ${page.label}, offline map: longest task ${m('offlineTask').toFixed(1)} ms (median task ` +
    `${m('offlineTaskMedian').toFixed(1)} ms), drawing a view ${m('offlineView').toFixed(0)} ms (zoom 2 to 12)`);
}
