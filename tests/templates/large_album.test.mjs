// A larger album in the page: all photos are placed, clustered and counted, the trail runs
// through the dated ones, and a cluster opens the gallery of its photos. The 100000-photo load time is measured by
// bench/album_page_load.mjs, not here.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import {
  launchChromium, linkPhotos, openAlbum, settle, tempDir, visibleMarkers, writeAlbumPage,
} from './album_pages.mjs';
import { walkRows } from './walk_rows.mjs';

const COUNT = 6000;
let browser, dir;
before(async () => { browser = await launchChromium(); dir = tempDir(); });
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

test(`an album of ${COUNT} photos shows all of them, clustered, with the whole trail`, async () => {
  const rows = walkRows(COUNT, { seed: 7 });
  const pagePath = path.join(dir, 'large.html');
  writeAlbumPage(rows, pagePath);
  await linkPhotos(browser, dir, rows.map((r) => r.name));
  // What the page says when it reports itself ready, taken at that very moment.
  let cdp;
  const view = await openAlbum(browser, pagePath, {
    beforeLoad: async (page, context) => {
      await page.addInitScript(() => document.addEventListener('albumready', () => {
        window.placedWhenReady = window.album.placed();
      }));
      // A slow computer.
      cdp = await context.newCDPSession(page);
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 10 });
    },
  });
  try {
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: 1 });
    assert.equal(await view.page.evaluate(() => window.placedWhenReady), COUNT);
    const state = await view.page.evaluate(() => ({
      grouped: window.album.placed(),
      // Photos with a readable date-time, which the days and the trail hold.
      dated: window.album.days.reduce((n, day) => n + day.to - day.from, 0),
      count: document.getElementById('tb-count').textContent,
      fitDisabled: document.getElementById('tb-fit').disabled,
      progress: document.getElementById('tb-progress').textContent,
    }));
    assert.equal(state.grouped, COUNT);
    assert.equal(state.dated, rows.filter((r) => r.dateTime).length);
    assert.match(state.count, new RegExp(`^${COUNT.toLocaleString('en-US')} photos`));
    assert.equal(state.fitDisabled, false);
    assert.equal(state.progress, '');
    const shown = await visibleMarkers(view.page);
    assert.equal(shown.singles + shown.inClusters, COUNT, JSON.stringify(shown));
    assert.ok(shown.clusters < 60, `${shown.clusters} clusters is no overview`);
    // Clicking a cluster opens the gallery of its photos in time order and zooms into it.
    const before = shown.clusters;
    const count = Number(await view.page.getAttribute('.tb-cluster >> nth=0 >> [data-count]', 'data-count'));
    await view.page.click('.tb-cluster >> nth=0');
    await view.page.waitForSelector('#tb-gallery:not([hidden]) .tb-tile');
    assert.equal(await view.page.textContent('#tb-gallery-title'), `${count.toLocaleString('en-US')} photos here`);
    const walkPlaces = await view.page.$$eval('#tb-gallery .tb-tile', (tiles) =>
      tiles.map((t) => window.album.photos[t.dataset.index].walk));
    assert.ok(walkPlaces.length > 0 && walkPlaces.length <= Math.min(count, 60));
    assert.deepEqual(walkPlaces, [...walkPlaces].sort((a, b) => a - b));
    await settle(view.page);
    const zoomedIn = await visibleMarkers(view.page);
    assert.ok(zoomedIn.singles + zoomedIn.inClusters < COUNT || zoomedIn.clusters > before);
    assert.deepEqual(view.problems(), []);
  } finally {
    await view.context.close();
  }
});
