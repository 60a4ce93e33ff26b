// The map tiles of the album page: which provider serves them, the switch to the next one when
// tiles fail, the offline map when none can be had, and the attribution of each. The
// browser's requests for tiles are answered here, so each case decides which providers work.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  launchChromium, openAlbumWithTiles, settle, tempDir, visibleMarkers, writeAlbumPage, writePhotos,
} from './album_pages.mjs';

const ROWS = [
  { name: 'a.jpg', dateTime: '2022:08:01 09:00:00', lat: '46.5586', lng: '7.8357' },
  { name: 'b.jpg', dateTime: '2022:08:01 11:30:00', lat: '46.5772', lng: '7.9047' },
  { name: 'c.jpg', dateTime: '2022:08:02 10:15:00', lat: '46.5474', lng: '7.9823' },
];

let browser, pagePath, dir;
before(async () => {
  browser = await launchChromium();
  dir = tempDir();
  await writePhotos(browser, dir, ROWS.map((r) => r.name));
  pagePath = path.join(dir, 'album.html');
  writeAlbumPage(ROWS, pagePath);
});
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

async function openWithTiles(serve, viewport) {
  return openAlbumWithTiles(browser, pagePath, serve, viewport);
}

async function tileState(page) {
  return page.evaluate(() => {
    const { map, tileLayers, tileLayer } = window.album;
    return {
      active: tileLayers.filter((l) => map.hasLayer(l)).map((l) => l.provider.name),
      current: tileLayer ? tileLayer.provider.name : null,
      notice: document.getElementById('tb-notice').hidden ? null
        : document.getElementById('tb-notice-text').textContent,
      plain: document.getElementById('map').classList.contains('tb-no-tiles'),
      attribution: document.querySelector('.leaflet-control-attribution').textContent,
      loadedTiles: [...document.querySelectorAll('.leaflet-tile-pane img.leaflet-tile-loaded')]
        .filter((img) => img.naturalWidth > 0).length,
    };
  });
}

// Every tile of the view has loaded or failed: nothing is left that could make the page switch.
const tilesSettled = (page) => page.waitForFunction(() => {
  const { tileLayer } = window.album;
  return tileLayer && !tileLayer.isLoading();
});

const host = (url) => new URL(url).hostname;
const carto = (url) => host(url).endsWith('basemaps.cartocdn.com');
const esri = (url) => host(url) === 'server.arcgisonline.com';

describe('map tiles', () => {
  test('come from the default provider when it answers, with its attribution', async () => {
    const view = await openWithTiles(() => true);
    try {
      await view.page.waitForFunction(() =>
        document.querySelectorAll('.leaflet-tile-pane img.leaflet-tile-loaded').length > 0);
      await tilesSettled(view.page);
      const state = await tileState(view.page);
      assert.deepEqual(state.active, ['Streets (CARTO Voyager)']);
      assert.equal(state.notice, null);
      assert.equal(state.plain, false);
      assert.match(state.attribution, /OpenStreetMap/);
      assert.match(state.attribution, /CARTO/);
      assert.ok(view.requests.length > 0 && view.requests.every((r) => carto(r.url)),
        view.requests.map((r) => r.url).join('\n'));
      // The page is opened from disk: its tile requests carry no Referer, which is why the
      // providers must be ones that serve such requests.
      assert.ok(view.requests.every((r) => r.referer === undefined));
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('switch to the next provider, with a notice, when the one in use fails', async () => {
    const view = await openWithTiles((url) => !carto(url));
    try {
      await view.page.waitForFunction(() => !document.getElementById('tb-notice').hidden);
      await view.page.waitForFunction(() =>
        document.querySelectorAll('.leaflet-tile-pane img.leaflet-tile-loaded').length > 0);
      await tilesSettled(view.page);  // no further switching once tiles arrive
      const state = await tileState(view.page);
      assert.deepEqual(state.active, ['Streets (Esri)']);
      assert.equal(state.current, 'Streets (Esri)');
      assert.match(state.notice, /"Streets \(CARTO Voyager\)" could not be loaded; switched to "Streets \(Esri\)"/);
      assert.equal(state.plain, false);
      assert.ok(state.loadedTiles > 0);
      assert.match(state.attribution, /Esri/);
      assert.doesNotMatch(state.attribution, /CARTO/);
      // The failed provider's other layer (CARTO Positron) is skipped too.
      assert.ok(view.requests.every((r) => carto(r.url) || esri(r.url)));
      assert.ok(view.requests.some((r) => r.url.includes('World_Street_Map')));
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('give way to the offline map when no provider answers; photos and trail stay', async () => {
    // A small window too: there a provider fails with fewer tiles than it takes to give up
    // early, when all of them have settled.
    const small = await openWithTiles(() => false, { width: 240, height: 200 });
    try {
      await small.page.waitForFunction(() => document.getElementById('map').classList.contains('tb-no-tiles'));
      assert.deepEqual(small.problems(), []);
    } finally {
      await small.context.close();
    }
    // On a phone the notice runs over several lines: a photo opened from under it is brought
    // clear of it.
    const phone = await openWithTiles(() => false, { width: 390, height: 844 });
    try {
      await phone.page.waitForFunction(() => document.getElementById('map').classList.contains('tb-no-tiles'));
      const clear = await phone.page.evaluate(async () => {
        const { map, walk } = window.album;
        const photo = walk[0], marker = () => window.album.markerOf(photo);
        const notice = document.getElementById('tb-notice').getBoundingClientRect();
        const box = document.getElementById('map').getBoundingClientRect();
        const at = map.latLngToContainerPoint(marker().getLatLng());
        map.panBy([0, at.y - (notice.top + 8 - box.top)], { animate: false });
        await window.album.openPhoto(photo);
        const icon = marker()._icon.getBoundingClientRect();
        return icon.bottom <= notice.top || icon.top >= notice.bottom;
      });
      assert.ok(clear, 'the marker of the photo opened lies under the notice');
    } finally {
      await phone.context.close();
    }
    const view = await openWithTiles(() => false);
    try {
      await view.page.waitForFunction(() => document.getElementById('map').classList.contains('tb-no-tiles'));
      const state = await tileState(view.page);
      assert.deepEqual(state.active, []);
      assert.equal(state.current, null);
      assert.match(state.notice, /No map tiles could be loaded/);
      // Every provider was tried once before giving up.
      const tried = new Set(view.requests.map((r) => host(r.url).replace(/^[a-d]\./, '')));
      assert.deepEqual([...tried].sort(),
        ['basemaps.cartocdn.com', 'server.arcgisonline.com', 'tile.opentopomap.org']);
      const shown = await visibleMarkers(view.page);
      assert.equal(shown.singles + shown.inClusters, ROWS.length);
      // The trail runs through every photo: one line a day, each from the day before's last photo.
      assert.equal(await view.page.evaluate(() => window.album.map.hasLayer(window.album.trail) &&
        window.album.trail.getLayers().flatMap((l) => l.getLatLngs()).reduce((n, part) => n + part.length, 0) -
        (window.album.days.length - 1)), ROWS.length);
      // The notice can be dismissed.
      await view.page.click('#tb-notice-close');
      assert.equal(await view.page.isVisible('#tb-notice'), false);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('can be chosen in the layer menu, each with its own attribution', async () => {
    const view = await openWithTiles(() => true);
    try {
      const names = await view.page.evaluate(() => window.album.tileLayers.map((l) => l.provider.name));
      assert.ok(names.length >= 4);
      await view.page.hover('.leaflet-control-layers');
      for (const [name, source, attribution] of [
        ['Satellite (Esri)', 'World_Imagery', /Esri.*GIS User Community/],
        ['Topographic (OpenTopoMap)', 'opentopomap.org', /OpenStreetMap.*SRTM.*OpenTopoMap.*CC-BY-SA/],
        ['Light (CARTO Positron)', 'light_all', /OpenStreetMap.*CARTO/],
      ]) {
        const before = view.requests.length;
        await view.page.getByLabel(name, { exact: true }).check();
        await settle(view.page);
        const state = await tileState(view.page);
        assert.deepEqual(state.active, [name]);
        assert.match(state.attribution, attribution);
        assert.ok(view.requests.slice(before).some((r) => r.url.includes(source)), `${name} requested no tile`);
      }
      // The overlays can be hidden and shown again.
      await view.page.getByLabel('Trail', { exact: true }).uncheck();
      assert.equal(await view.page.evaluate(() => window.album.map.hasLayer(window.album.trail)), false);
      await view.page.getByLabel('Photos', { exact: true }).uncheck();
      assert.deepEqual(await visibleMarkers(view.page), { singles: 0, clusters: 0, inClusters: 0 });
      await view.page.getByLabel('Photos', { exact: true }).check();
      const shown = await visibleMarkers(view.page);
      assert.equal(shown.singles + shown.inClusters, ROWS.length);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });
});
