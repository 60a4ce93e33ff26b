// The album page's finer points on a three-day trip: swiping and fullscreen in the viewer,
// the popup clear of the map's controls, the scale clear of the credits, and long photo names
// that wrap instead of running out of their boxes.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  launchChromium, openAlbum, openAlbumWithTiles, settle, tempDir, writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { tripRows } from './trip_rows.mjs';

// Two photos of day 2 with long names: one of many words, one a single word with no place to
// break but inside it.
const LONG_NAMES = [
  'Blick vom Pilatus \u00fcber den Vierwaldst\u00e4ttersee bei Sonnenuntergang mit den Alpen dahinter.jpg',
  'DSC_Panorama_Vierwaldstaettersee_Pilatus_Kulm_Sonnenuntergang_HDR_stitched_final_export.jpg',
];
const ROWS = [...tripRows(),
  { name: LONG_NAMES[0], dateTime: '2024:06:04 18:00:00', lat: '46.9793', lng: '8.2550' },
  { name: LONG_NAMES[1], dateTime: '2024:06:04 18:05:00', lat: '46.9795', lng: '8.2556' }];
const DATED = ROWS.filter((r) => r.dateTime).sort((a, b) => a.dateTime.localeCompare(b.dateTime));
const PHONE = { width: 390, height: 844 };
const DESKTOP = { width: 1280, height: 800 };

let browser, dir, pagePath;
before(async () => {
  browser = await launchChromium();
  dir = tempDir();
  await writePhotos(browser, dir, ROWS.map((r) => r.name));
  pagePath = path.join(dir, 'trip.html');
  writeAlbumPage(ROWS, pagePath);
});
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

const indexOf = (page, name) => page.evaluate((n) => window.album.photos.findIndex((p) => p.name === n), name);
const viewerName = (page) => page.textContent('#tb-viewer-name');
async function openViewerOn(page, name) {
  await page.evaluate((i) => window.album.openViewer(i), await indexOf(page, name));
  await page.waitForFunction((n) => document.getElementById('tb-viewer-name').textContent === n, name);
}

describe('the viewer', () => {
  test('a swipe on a touch screen steps through the photos; a short drag does not', async () => {
    const view = await openAlbum(browser, pagePath, { viewport: PHONE, touch: true });
    try {
      const { page } = view;
      await openViewerOn(page, DATED[3].name);
      const cdp = await view.context.newCDPSession(page);
      const stage = await page.evaluate(() => {
        const r = document.getElementById('tb-viewer-stage').getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
      });
      // Finger movements across the photo (negative: to the left) and the photo shown after each.
      const SWIPES = [[-160, DATED[4]], [-160, DATED[5]], [160, DATED[4]], [-30, DATED[4]], [-30, DATED[4]],
        [-160, DATED[5]]];
      for (const [dx, expected] of SWIPES) {
        const at = (k) => [{ x: stage.x - dx / 2 + (dx * k) / 5, y: stage.y + k }];
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
        for (let k = 1; k <= 5; k++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(k) });
        await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
        // A short drag changes nothing: had either of the two stepped on, the swipe after them
        // would show a later photo than the one awaited.
        await page.waitForFunction((n) => document.getElementById('tb-viewer-name').textContent === n,
          expected.name, { timeout: 10000 });
      }
      assert.equal(await viewerName(page), DATED[5].name);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });

  test('the fullscreen button puts the viewer in fullscreen and takes it out; closing leaves it', async () => {
    const view = await openAlbum(browser, pagePath, { viewport: DESKTOP });
    try {
      const { page } = view;
      await page.click('#tb-first-photo');
      await page.click('.leaflet-popup .tb-thumb');
      await page.waitForSelector('#tb-viewer:not([hidden])');
      const STEPS = [
        [() => page.click('#tb-viewer-full'), { fullscreen: 'tb-viewer', open: true }],
        [() => page.click('#tb-viewer-full'), { fullscreen: null, open: true }],
        [() => page.click('#tb-viewer-full'), { fullscreen: 'tb-viewer', open: true }],
        [() => page.click('#tb-viewer-close'), { fullscreen: null, open: false }],
      ];
      for (const [act, expected] of STEPS) {
        await act();
        await page.waitForFunction((e) => (document.fullscreenElement?.id ?? null) === e.fullscreen &&
          !document.getElementById('tb-viewer').hidden === e.open, expected, { timeout: 10000 });
      }
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });
});

// Rectangles of the page's parts that overlap each other (names joined by " over ").
function overlapping(page, pairs) {
  return page.evaluate((list) => list.filter(([a, b]) => {
    const [p, q] = [a, b].map((s) => document.querySelector(s).getBoundingClientRect());
    return p.width > 0 && q.width > 0 && p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
  }).map((pair) => pair.join(' over ')), pairs);
}
const CONTROLS = ['.leaflet-control-zoom', '.leaflet-control-layers', '.leaflet-control-scale',
  '.leaflet-control-attribution'];

// Shows base map `k` (the tile layers in the menu's order, then the offline map) and waits
// until its credits are shown; gives its name.
async function showBaseMap(page, k) {
  const name = await page.evaluate((n) => {
    const { map, tileLayers, offlineMap } = window.album;
    const layer = n < tileLayers.length ? tileLayers[n] : offlineMap;
    [...tileLayers, offlineMap].forEach((l) => { if (l !== layer && map.hasLayer(l)) map.removeLayer(l); });
    map.addLayer(layer);
    return layer.provider ? layer.provider.name : 'Offline map';
  }, k);
  await page.waitForFunction((n) => {
    const { tileLayers, offlineMap } = window.album;
    const probe = document.createElement('div');
    probe.innerHTML = (n < tileLayers.length ? tileLayers[n] : offlineMap).getAttribution();
    return document.querySelector('.leaflet-control-attribution').textContent.includes(probe.textContent);
  }, k);
  return name;
}
const SATELLITE = 3;  // the longest credits

describe('the map controls', () => {
  for (const [viewport, baseMap] of [[DESKTOP, 0], [PHONE, SATELLITE]]) {
    test(`an open popup stays clear of the map's controls at ${viewport.width}x${viewport.height}`, async () => {
      const view = await openAlbumWithTiles(browser, pagePath, () => true);
      try {
        const { page } = view;
        await page.setViewportSize(viewport);
        await showBaseMap(page, baseMap);
        // The photos at the trip's edges, whose popups open nearest the controls.
        const by = (key, sign) => [...ROWS].sort((a, b) => sign * (a[key] - b[key]))[0].name;
        const names = [DATED[0].name, DATED.at(-1).name, by('lat', -1), by('lat', 1), by('lng', 1), by('lng', -1)];
        const faults = [];
        for (const name of names) {
          await page.click('#tb-fit');
          await settle(page);
          await page.evaluate((i) => window.album.openPhoto(i), await indexOf(page, name));
          await page.waitForFunction((n) => document.querySelector('.leaflet-popup .tb-name')?.textContent === n, name);
          await settle(page);
          const inMap = await page.evaluate(() => {
            const p = document.querySelector('.leaflet-popup').getBoundingClientRect();
            const m = document.getElementById('map').getBoundingClientRect();
            return p.top >= m.top && p.bottom <= m.bottom && p.left >= m.left && p.right <= m.right;
          });
          if (!inMap) faults.push(`${name}: beyond the map`);
          for (const o of await overlapping(page, CONTROLS.map((c) => ['.leaflet-popup', c]))) faults.push(`${name}: ${o}`);
        }
        assert.deepEqual(faults, []);
      } finally {
        await view.context.close();
      }
    });
  }

  test('the credits never cover the scale, whatever the map, at 390x844', async () => {
    const view = await openAlbumWithTiles(browser, pagePath, () => true);
    try {
      const { page } = view;
      await page.setViewportSize(PHONE);
      const faults = [];
      for (let k = 0; k <= await page.evaluate(() => window.album.tileLayers.length); k++) {
        const name = await showBaseMap(page, k);
        for (const o of await overlapping(page, [['.leaflet-control-attribution', '.leaflet-control-scale']])) {
          faults.push(`${name}: ${o}`);
        }
      }
      assert.deepEqual(faults, []);
    } finally {
      await view.context.close();
    }
  });
});

test('long photo names wrap inside the popup, the viewer, the gallery and the strip', async () => {
  // The narrowest window: what wraps there wraps everywhere.
  const view = await openAlbum(browser, pagePath, { viewport: PHONE });
  const faults = [];
  try {
    const { page } = view;
    // What to open, the box that must not be wider than it shows, and the sign that it shows
    // the photo asked for.
    const CASES = [
      ['popup', (i) => page.evaluate((k) => window.album.openPhoto(k), i), '.leaflet-popup-content',
        (n) => page.waitForFunction((x) => document.querySelector('.leaflet-popup .tb-name')?.textContent === x, n)],
      ['viewer caption', (i) => page.evaluate((k) => window.album.openViewer(k), i), '.tb-viewer-bar',
        (n) => page.waitForFunction((x) => !document.getElementById('tb-viewer').hidden &&
          document.getElementById('tb-viewer-name').textContent === x, n)],
      ['gallery', (i) => page.evaluate((k) => window.album.openGallery([window.album.photos[k].walk], 'One'), i),
        '#tb-gallery', (n) => page.waitForFunction((x) => document.querySelector('#tb-gallery:not([hidden]) .tb-tile')
          ?.getAttribute('aria-label').startsWith(x), n)],
      ['strip', (i) => page.evaluate((k) => window.album.openPhoto(k), i), '#tb-strip',
        (n) => page.waitForFunction((x) => document.querySelector('#tb-strip [aria-current="true"]')
          ?.getAttribute('aria-label').startsWith(x), n)],
    ];
    for (const name of LONG_NAMES) {
      const index = await indexOf(page, name);
      for (const [where, open, box, shown] of CASES) {
        await open(index);
        await shown(name);
        const wide = await page.evaluate((selector) => {
          const e = document.querySelector(selector), root = document.documentElement;
          // The strip scrolls sideways by design: there a name must not make it taller.
          const over = selector === '#tb-strip' ? e.scrollHeight > e.clientHeight : e.scrollWidth > e.clientWidth;
          return over || root.scrollWidth > root.clientWidth;
        }, box);
        if (wide) faults.push(`${where}: ${name}`);
        await page.keyboard.press('Escape');
        await page.evaluate(() => window.album.map.closePopup());
      }
    }
  } finally {
    await view.context.close();
  }
  assert.deepEqual(faults, []);
});
