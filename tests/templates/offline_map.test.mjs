// The album page's offline map: land, sea, borders and place names drawn from data inside the
// page when no tile provider answers, and map tiles again once they load. Tile requests are
// answered here, so each case decides whether the network works.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { launchChromium, openAlbumWithTiles, tempDir, writeAlbumPage, writePhotos } from './album_pages.mjs';

// Three photos in the Bernese Oberland.
const ROWS = [
  { name: 'a.jpg', dateTime: '2022:08:01 09:00:00', lat: '46.5586', lng: '7.8357' },
  { name: 'b.jpg', dateTime: '2022:08:01 11:30:00', lat: '46.5772', lng: '7.9047' },
  { name: 'c.jpg', dateTime: '2022:08:02 10:15:00', lat: '46.5474', lng: '7.9823' },
];

let browser, pagePath, dir;
before(async () => {
  browser = await launchChromium();
  dir = tempDir();
  // The page shows the photos themselves as thumbnails.
  await writePhotos(browser, dir, ROWS.map((r) => r.name));
  pagePath = path.join(dir, 'album.html');
  writeAlbumPage(ROWS, pagePath);
});
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

const offline = (page) => page.waitForFunction(() =>
  window.album.map.hasLayer(window.album.offlineMap));

// Moves the map (null keeps the view) and waits until every offline tile in view is drawn.
async function viewDrawn(page, center, zoom) {
  await page.evaluate(([c, z]) => { if (c) window.album.map.setView(c, z, { animate: false }); },
    [center, zoom]);
  await page.waitForFunction(() => {
    const tiles = document.querySelectorAll('.tb-offline-map canvas');
    return tiles.length > 0 && !window.album.offlineMap.isLoading() &&
      [...tiles].every((t) => t.classList.contains('leaflet-tile-loaded'));
  });
}

// What the offline map shows in view: the colour of the tile pixel at each [lat, lng], and how
// many pixels are near each of the layer's colours named in `count`.
async function offlinePixels(page, points, count) {
  return page.evaluate(([latLngs, names]) => {
    const { map, offlineMap } = window.album;
    const rgb = (hex) => [1, 3, 5].map((k) => parseInt(hex.slice(k, k + 2), 16));
    const targets = names.map((n) => rgb(offlineMap.colors[n]));
    const near = (d, i, c) => Math.abs(d[i] - c[0]) + Math.abs(d[i + 1] - c[1]) + Math.abs(d[i + 2] - c[2]) < 40;
    const box = map.getContainer().getBoundingClientRect();
    // Read through one scratch canvas: reading the tiles themselves would slow the page down.
    const scratch = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
    const tiles = [...document.querySelectorAll('.tb-offline-map canvas')].map((canvas) => {
      scratch.canvas.width = canvas.width;
      scratch.canvas.height = canvas.height;
      scratch.drawImage(canvas, 0, 0);
      return { canvas, rect: canvas.getBoundingClientRect(),
        data: scratch.getImageData(0, 0, canvas.width, canvas.height).data };
    });
    const colors = latLngs.map((ll) => {
      const p = map.latLngToContainerPoint(ll);
      const x = box.left + p.x, y = box.top + p.y;
      const tile = tiles.find((t) => x >= t.rect.left && x < t.rect.right && y >= t.rect.top && y < t.rect.bottom);
      if (!tile) return null;
      const k = tile.canvas.width / tile.rect.width;
      const i = 4 * (Math.floor((y - tile.rect.top) * k) * tile.canvas.width + Math.floor((x - tile.rect.left) * k));
      return [tile.data[i], tile.data[i + 1], tile.data[i + 2]];
    });
    const counts = targets.map((c) => tiles.reduce((sum, t) => {
      let n = 0;
      for (let i = 0; i < t.data.length; i += 4) if (near(t.data, i, c)) n++;
      return sum + n;
    }, 0));
    return { colors, counts: Object.fromEntries(names.map((n, k) => [n, counts[k]])),
      palette: Object.fromEntries(['land', 'sea'].map((n) => [n, rgb(offlineMap.colors[n])])) };
  }, [points, count]);
}

async function mapState(page) {
  return page.evaluate(() => {
    const { map, tileLayers, offlineMap } = window.album;
    const checked = document.querySelector('.leaflet-control-layers-base input:checked');
    return {
      offline: map.hasLayer(offlineMap),
      tiles: tileLayers.filter((l) => map.hasLayer(l)).map((l) => l.provider.name),
      menu: checked ? checked.nextElementSibling.textContent.trim() : null,
      notice: document.getElementById('tb-notice').hidden ? null
        : document.getElementById('tb-notice-text').textContent,
      attribution: document.querySelector('.leaflet-control-attribution').textContent,
    };
  });
}

const close = (a, b) => a && a.every((v, i) => Math.abs(v - b[i]) <= 3);

describe('offline map', () => {
  test('shows land, sea, borders and capitals when no tile provider answers', async () => {
    const view = await openAlbumWithTiles(browser, pagePath, () => false);
    try {
      await offline(view.page);
      const state = await mapState(view.page);
      assert.deepEqual(state.tiles, []);
      assert.equal(state.menu, 'Offline map');
      assert.match(state.notice, /No map tiles could be loaded.*offline map/);
      assert.match(state.attribution, /Natural Earth/);

      // Under the photos (as the album opens), in the Atlantic, and around Switzerland.
      for (const [where, center, zoom, point, expected] of [
        ['a photo in the Alps', null, null, [46.5586, 7.8357], 'land'],
        ['the Atlantic', [40, -35], 4, [40, -35], 'sea'],
        ['the Sahara', [24, 10], 4, [24, 10], 'land'],
      ]) {
        await viewDrawn(view.page, center, zoom);
        const { colors, palette } = await offlinePixels(view.page, [point], []);
        assert.ok(close(colors[0], palette[expected]), `${where}: ${colors[0]} is not ${expected} ${palette[expected]}`);
      }

      await viewDrawn(view.page, [46.8, 8.2], 6);
      const { counts } = await offlinePixels(view.page, [], ['border', 'capital']);
      assert.ok(counts.border > 200, `border pixels: ${counts.border}`);
      assert.ok(counts.capital > 30, `name pixels: ${counts.capital}`);
      // Bern is named, each name once and apart from the others.
      const labels = await view.page.evaluate(() => {
        const { map, offlineMap } = window.album;
        const shown = map.getPixelBounds();
        return offlineMap.labelsAt(6).filter((l) => shown.contains([l.x, l.y]));
      });
      assert.ok(labels.some((l) => l.name === 'Bern' && l.capital), labels.map((l) => l.name).join(', '));
      const apart = (a, b) => a[2] <= b[0] || b[2] <= a[0] || a[3] <= b[1] || b[3] <= a[1];
      for (const a of labels) {
        for (const b of labels) {
          assert.ok(a === b || a.parts.every((p) => b.parts.every((q) => apart(p, q))),
            `${a.name} overlaps ${b.name}`);
        }
      }
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('stays off while tiles load, and is in the layer menu with its attribution', async () => {
    const view = await openAlbumWithTiles(browser, pagePath, () => true);
    try {
      await view.page.waitForFunction(() =>
        document.querySelectorAll('.leaflet-tile-pane img.leaflet-tile-loaded').length > 0);
      let state = await mapState(view.page);
      assert.equal(state.offline, false);
      assert.deepEqual(state.tiles, ['Streets (CARTO Voyager)']);
      assert.equal(await view.page.locator('.tb-offline-map').count(), 0);
      assert.doesNotMatch(state.attribution, /Natural Earth/);

      await view.page.hover('.leaflet-control-layers');
      await view.page.getByLabel('Offline map', { exact: true }).check();
      await viewDrawn(view.page, null, null);
      state = await mapState(view.page);
      assert.deepEqual([state.offline, state.tiles], [true, []]);
      assert.match(state.attribution, /Natural Earth/);
      assert.doesNotMatch(state.attribution, /CARTO/);

      await view.page.getByLabel('Streets (CARTO Voyager)', { exact: true }).check();
      state = await mapState(view.page);
      assert.deepEqual([state.offline, state.tiles], [false, ['Streets (CARTO Voyager)']]);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('gives way to map tiles when they load again', async () => {
    let network = false;
    const view = await openAlbumWithTiles(browser, pagePath, () => network);
    try {
      await offline(view.page);
      network = true;
      // The browser reports being back online; the page also tries by itself now and then.
      await view.page.evaluate(() => window.dispatchEvent(new Event('online')));
      await view.page.waitForFunction(() => !window.album.map.hasLayer(window.album.offlineMap));
      await view.page.waitForFunction(() =>
        document.querySelectorAll('.leaflet-tile-pane img.leaflet-tile-loaded').length > 0);
      const state = await mapState(view.page);
      assert.deepEqual(state.tiles, ['Streets (CARTO Voyager)']);
      assert.equal(state.menu, 'Streets (CARTO Voyager)');
      assert.match(state.notice, /Map tiles load again: showing "Streets \(CARTO Voyager\)"/);
      assert.doesNotMatch(state.attribution, /Natural Earth/);
      assert.equal(await view.page.evaluate(() =>
        document.getElementById('map').classList.contains('tb-no-tiles')), false);
    } finally {
      await view.context.close();
    }
  });
});
