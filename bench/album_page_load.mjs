#!/usr/bin/env node
// Load time of a large album page in headless Chromium, from disk as the program opens it.
//
//   node bench/album_page_load.mjs [--photos 100000] [--runs 3]
//
// Writes an album page of a made-up journey (with the program's writer when
// TRAILBOOK_MAKE_TEST_ALBUM names the make_test_album tool, else the JavaScript one), opens it
// in a fresh browser context each run and reports, as medians over the runs:
//   parsed    navigation start to DOMContentLoaded (page parsed, its scripts run, chunked
//             marker placing started)
//   ready     navigation start to every marker placed in its cluster and painted
//   busy      main-thread task time until then (what the page itself cost)
//   zoom      one zoom step in, until the clusters of the new level are painted
//   popup     a photo's popup opened from its marker (zoom and spiderfy included)
//   offline   with no network: the offline map's drawing tasks (longest, median, how many over
//             50 ms: wall time, so a loaded machine's pauses count too) and its drawing time per
//             view, over views from zoom 2 to 12 (each drawn afresh: no cached tiles)
// The template is TRAILBOOK_TEMPLATE or build/bin/templates/template.html.
import fs from 'node:fs';
import path from 'node:path';
import { performance } from 'node:perf_hooks';

import { launchChromium, openAlbum, tempDir, writeAlbumPage } from '../tests/templates/album_pages.mjs';
import { walkRows } from '../tests/templates/walk_rows.mjs';

function option(name, fallback) {
  const at = process.argv.indexOf(`--${name}`);
  return at > 0 ? Number(process.argv[at + 1]) : fallback;
}
const photos = option('photos', 100000);
const runs = option('runs', 3);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const dir = tempDir('trailbook-bench-');
const pagePath = path.join(dir, 'album.html');
const rows = walkRows(photos, { seed: 42 });
const writeStart = performance.now();
const writer = writeAlbumPage(rows, pagePath);
const writeMs = performance.now() - writeStart;
const pageBytes = fs.statSync(pagePath).size;

const browser = await launchChromium();
const results = [];
try {
  for (let run = 0; run < runs; run++) {
    let cdp;
    const view = await openAlbum(browser, pagePath, {
      beforeLoad: async (page, context) => {
        cdp = await context.newCDPSession(page);
        await cdp.send('Performance.enable');
      },
    });
    const { page } = view;
    // Main-thread time spent on the page up to now: less sensitive than wall time to other
    // programs competing for the processor.
    const metrics = Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics
      .map((m) => [m.name, m.value]));
    const busy = metrics.TaskDuration * 1000;
    const load = await page.evaluate(() => {
      const nav = performance.getEntriesByType('navigation')[0];
      return { parsed: nav.domContentLoadedEventEnd, ready: window.album.readyAt,
        timings: window.album.timings,
        placed: window.album.clusters.getLayers().length,
        heapMB: performance.memory ? performance.memory.usedJSHeapSize / 1048576 : NaN };
    });
    if (load.placed !== photos) throw new Error(`only ${load.placed} of ${photos} markers placed`);
    const zoom = await page.evaluate(() => new Promise((done) => {
      const { map } = window.album;
      const start = performance.now();
      map.once('zoomend', () => requestAnimationFrame(() => requestAnimationFrame(() =>
        done(performance.now() - start))));
      map.setZoom(map.getZoom() + 1, { animate: false });
    }));
    const popup = await page.evaluate((index) => new Promise((done) => {
      const { map } = window.album;
      const start = performance.now();
      map.once('popupopen', () => requestAnimationFrame(() => done(performance.now() - start)));
      window.album.openPhoto(index, false);
    }), Math.floor(photos / 2));
    const problems = view.problems();
    if (problems.length) throw new Error(`page reported problems:\n${problems.join('\n')}`);
    await page.evaluate(() => window.album.map.closePopup());
    const offline = await offlineDrawing(page);
    results.push({ ...load, busy, zoom, popup, ...offline });
    const t = load.timings;
    console.log(`  page script started ${t.start.toFixed(0)} ms; lists read and photos built ` +
      `${(t.lists - t.start).toFixed(0)} ms; map, tiles and trail ${(t.trail - t.lists).toFixed(0)} ms; ` +
      `markers made ${(t.markers - t.trail).toFixed(0)} ms; clustered ${(t.ready - t.markers).toFixed(0)} ms`);
    console.log(`run ${run + 1}: parsed ${load.parsed.toFixed(0)} ms, ready ${load.ready.toFixed(0)} ms ` +
      `(main thread busy ${busy.toFixed(0)} ms), ` +
      `zoom ${zoom.toFixed(0)} ms, popup ${popup.toFixed(0)} ms, JS heap ${load.heapMB.toFixed(0)} MB` +
      (offline.offlineViews ? `, offline map: longest task ${offline.offlineTask.toFixed(1)} ms ` +
        `(median ${offline.offlineTaskMedian.toFixed(1)} ms, ${offline.offlineOver50} of ` +
        `${offline.offlineTasks} over 50 ms), ` +
        `${offline.offlineView.toFixed(0)} ms drawing a view` : ', offline map not shown'));
    await view.context.close();
  }
} finally {
  await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
}

// The offline map's drawing (shown when the page has no network, as here): each drawing task
// is timed, over one view per zoom level from 2 to 12 at the album's centre.
async function offlineDrawing(page) {
  return page.evaluate(async () => {
    const { map, offlineMap } = window.album;
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

const m = (key) => median(results.map((r) => r[key]));
console.log(`\nalbum page with ${photos} photos (${(pageBytes / 1048576).toFixed(1)} MiB, written by ` +
  `${writer} in ${writeMs.toFixed(0)} ms), median of ${runs} runs in headless Chromium:`);
console.log(`  parsed (DOMContentLoaded)   ${m('parsed').toFixed(0)} ms`);
console.log(`  markers ready               ${m('ready').toFixed(0)} ms`);
console.log(`  main thread busy until then ${m('busy').toFixed(0)} ms`);
console.log(`  one zoom step               ${m('zoom').toFixed(0)} ms`);
console.log(`  popup of the middle photo   ${m('popup').toFixed(0)} ms`);
if (results.every((r) => r.offlineViews)) {
  console.log(`  offline map, longest task   ${m('offlineTask').toFixed(1)} ms ` +
    `(median task ${m('offlineTaskMedian').toFixed(1)} ms)`);
  console.log(`  offline map, drawing a view ${m('offlineView').toFixed(0)} ms (zoom 2 to 12)`);
}
