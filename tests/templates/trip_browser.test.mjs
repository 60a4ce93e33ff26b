// The album page as a trip browser, on a three-day trip written by the album writer: the walk
// and its days, start and end, the strip, the viewer, links, the header's figures, the lists
// only some writers fill, and accessibility checked by axe-core.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  endMarkers, fillOptionalLists, openAlbum, settle, trailPoints, visibleMarkers,
  waitUntilReady, writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { browserSession } from './browser_session.mjs';
import { TRIP_DAYS, tripRows } from './trip_rows.mjs';

const require = createRequire(import.meta.url);
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const ROWS = tripRows();
const DATED = ROWS.filter((r) => r.dateTime).sort((a, b) => a.dateTime.localeCompare(b.dateTime));
const UNDATED = ROWS.filter((r) => !r.dateTime).map((r) => r.name).sort();

const session = browserSession();

async function tripAlbum({ photoDir = '' } = {}) {
  const dir = session.folder();
  if (photoDir) fs.mkdirSync(path.join(dir, photoDir));
  await writePhotos(session.browser, path.join(dir, photoDir), ROWS.map((r) => r.name));
  const pagePath = path.join(dir, 'trip.html');
  writeAlbumPage(ROWS, pagePath);
  return pagePath;
}
const waitForPopup = (page, name) => page.waitForFunction((n) =>
  document.querySelector('.leaflet-popup .tb-name')?.textContent === n, name);

describe('a three-day trip', () => {
  let pagePath;
  before(async () => { pagePath = await tripAlbum(); });

  for (const viewport of [{ width: 1280, height: 800 }, { width: 390, height: 844 }]) {
    test(`start and end are visible on open at ${viewport.width}x${viewport.height}`, async () => {
      const view = await openAlbum(session.browser, pagePath, { viewport });
      try {
        assert.deepEqual(await endMarkers(view.page), { start: DATED[0].name, end: DATED.at(-1).name });
        // Each pin is on screen and nothing lies on top of it.
        const onTop = await view.page.evaluate(() => ['.tb-first', '.tb-last'].map((selector) => {
          const dot = document.querySelector(`.leaflet-marker-pane ${selector} > span`);
          const r = dot.getBoundingClientRect(), map = document.getElementById('map').getBoundingClientRect();
          const x = r.left + r.width / 2, y = r.top + r.height / 2;
          const inside = x > map.left && x < map.right && y > map.top && y < map.bottom;
          return inside && dot.parentNode.contains(document.elementFromPoint(x, y));
        }));
        assert.deepEqual(onTop, [true, true]);
      } finally {
        await view.context.close();
      }
    });
  }

  describe('opened once', () => {
    let view;
    before(async () => { view = await openAlbum(session.browser, pagePath); });
    after(async () => { await view?.context.close(); });

    test('the walk takes the dated photos in time order and the undated ones last', async () => {
      const walk = await view.page.evaluate(() => window.album.walk.map((i) => window.album.photos[i].name));
      assert.deepEqual(walk.slice(0, DATED.length), DATED.map((r) => r.name));
      assert.deepEqual(walk.slice(DATED.length).sort(), UNDATED);
      // No line of the trail reaches an undated photo.
      const undatedSpots = ROWS.filter((r) => !r.dateTime).map((r) => [+r.lat, +r.lng]);
      const points = (await trailPoints(view.page)).flat();
      assert.ok(points.length > 0);
      assert.ok(points.every(([lat, lng]) => undatedSpots.every(([a, b]) => Math.hypot(lat - a, lng - b) > 1e-4)));
      // Tab goes through the markers in time order.
      const tabOrder = await view.page.$$eval('.leaflet-marker-pane [tabindex="0"]', (icons) =>
        icons.map((icon) => Number(icon.dataset.walk)));
      assert.ok(tabOrder.length > 3);
      assert.deepEqual(tabOrder, [...tabOrder].sort((a, b) => a - b));
    });

    test('the day list shows each day with its colour, and a day shows only its photos', async () => {
      const { page } = view;
      await page.click('#tb-days-button');
      const labels = await page.$$eval('#tb-day-list .tb-day', (list) => list.map((b) => b.textContent));
      assert.deepEqual(labels, ['All days \u00b7 26 photos',
        'Day 1 \u00b7 Mon 3 Jun \u00b7 9 photos', 'Day 2 \u00b7 Tue 4 Jun \u00b7 7 photos',
        'Day 3 \u00b7 Wed 5 Jun \u00b7 8 photos']);
      const swatches = await page.$$eval('#tb-day-list .tb-swatch', (list) => list.map((s) => s.style.background));
      assert.equal(new Set(swatches.slice(1)).size, 3);
      await page.click('#tb-day-list [data-day="1"]');
      await settle(page);
      const shown = await visibleMarkers(page);
      assert.equal(shown.singles + shown.inClusters, TRIP_DAYS[1].count);
      assert.deepEqual(await endMarkers(page), { start: 'Luzern 01.jpg', end: 'Luzern 07.jpg' });
      const points = (await trailPoints(page)).flat();
      assert.ok(points.length > 1 && points.every(([lat]) => Math.abs(lat - 47.05) < 0.05), JSON.stringify(points));
      assert.match(await page.evaluate(() => location.hash), /^#day=2$/);
      await page.click('#tb-days-button');
      await page.click('#tb-day-list [data-day="-1"]');
      await settle(page);
      const all = await visibleMarkers(page);
      assert.equal(all.singles + all.inClusters, ROWS.length);
    });

    test('the strip follows Next, and a photo chosen in the strip moves the map to it', async () => {
      const { page } = view;
      await page.click('#tb-first-photo');
      await waitForPopup(page, DATED[0].name);
      for (const row of DATED.slice(1, 3)) {
        await settle(page);  // the popup pans the map into view first
        await page.click('.leaflet-popup button[aria-label="Next photo"]');
        await waitForPopup(page, row.name);
      }
      const current = await page.evaluate(() => {
        const item = document.querySelector('#tb-strip [aria-current="true"]');
        const r = item.getBoundingClientRect(), strip = document.getElementById('tb-strip').getBoundingClientRect();
        return { name: window.album.photos[item.dataset.index].name, inside: r.left >= strip.left && r.right <= strip.right };
      });
      assert.deepEqual(current, { name: DATED[2].name, inside: true });
      await page.click(`#tb-strip .tb-strip-item[data-place="6"]`);
      await waitForPopup(page, DATED[6].name);
      assert.equal(await page.textContent('.leaflet-popup .tb-coords'),
        `${(+DATED[6].lat).toFixed(5)}, ${(+DATED[6].lng).toFixed(5)}`);
      assert.ok(await page.evaluate((name) => {
        const p = window.album.photos.find((photo) => photo.name === name);
        return window.album.map.getBounds().contains(p.latLng);
      }, DATED[6].name));
    });

    test('the viewer opens from the popup, steps with the arrows and closes with Escape', async () => {
      const { page } = view;
      await settle(page);
      await page.click('.leaflet-popup .tb-thumb');
      await page.waitForSelector('#tb-viewer:not([hidden])');
      assert.equal(await page.textContent('#tb-viewer-name'), DATED[6].name);
      assert.equal(await page.evaluate(() => document.getElementById('tb-viewer').contains(document.activeElement)), true);
      await page.keyboard.press('ArrowRight');
      assert.equal(await page.textContent('#tb-viewer-name'), DATED[7].name);
      assert.equal(decodeURIComponent(await page.getAttribute('#tb-viewer-original', 'href')), DATED[7].name);
      await page.click('#tb-viewer-prev');
      assert.equal(await page.textContent('#tb-viewer-name'), DATED[6].name);
      await page.keyboard.press('Escape');
      await page.waitForSelector('#tb-viewer', { state: 'hidden' });
      assert.deepEqual(view.problems(), []);
    });

    test('the address names the photo: reload and Back restore it, whatever its name', async () => {
      const { page } = view;
      const name = DATED[1].name;  // "Zürich #2 50% café.jpg"
      await page.evaluate((n) => window.album.openPhoto(window.album.photos.findIndex((p) => p.name === n)), name);
      await waitForPopup(page, name);
      assert.equal(await page.evaluate(() => location.hash), `#photo=${encodeURIComponent(name)}`);
      await settle(page);
      await page.click('.leaflet-popup button[aria-label="Next photo"]');
      await waitForPopup(page, DATED[2].name);
      await page.goBack();
      await waitForPopup(page, name);
      await page.reload();
      await waitUntilReady(page);
      await waitForPopup(page, name);
    });
  });

  const LOCALES = [['en-US', 'mi', 1.609344], ['de-DE', 'km', 1]];
  for (const [locale, unit, kmPerUnit] of LOCALES) {
    test(`the header gives the trip's figures (${locale})`, async () => {
      const view = await openAlbum(session.browser, pagePath, { locale });
      try {
        const header = await view.page.evaluate(() => ['tb-count', 'tb-day-count', 'tb-span', 'tb-distance',
          'tb-unplaced'].map((id) => document.getElementById(id).textContent));
        assert.deepEqual(header.slice(0, 3), ['26 photos (2 without date)', '3 days', '3 Jun 2024 \u2013 5 Jun 2024']);
        assert.equal(header[4], '');
        const [, number, shownUnit] = /^([\d.,]+) (\w+)$/.exec(header[3]);
        assert.equal(shownUnit, unit);
        const rad = Math.PI / 180;
        let km = 0;
        for (let k = 1; k < DATED.length; k++) {
          const [a, b] = [DATED[k - 1], DATED[k]].map((r) => [+r.lat * rad, +r.lng * rad]);
          const h = Math.sin((b[0] - a[0]) / 2) ** 2 + Math.cos(a[0]) * Math.cos(b[0]) * Math.sin((b[1] - a[1]) / 2) ** 2;
          km += 12742 * Math.asin(Math.sqrt(h));
        }
        assert.equal(Number(number.replace(/[.,]/g, '')), Math.round(km / kmPerUnit));
      } finally {
        await view.context.close();
      }
    });
  }
});

describe('details', () => {
  let pagePath;
  before(async () => { pagePath = await tripAlbum(); });

  test('motion is cut when the system asks for less of it', async () => {
    const view = await openAlbum(session.browser, pagePath, {
      beforeLoad: (page) => page.emulateMedia({ reducedMotion: 'reduce' }),
    });
    try {
      assert.deepEqual(await view.page.evaluate(() => ['zoomAnimation', 'fadeAnimation', 'markerZoomAnimation']
        .map((option) => window.album.map.options[option])), [false, false, false]);
    } finally {
      await view.context.close();
    }
  });

  test('printing gives the map and the day list without controls', async () => {
    const view = await openAlbum(session.browser, pagePath);
    try {
      await view.page.emulateMedia({ media: 'print' });
      await view.page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
      const shown = await view.page.evaluate(() => Object.fromEntries(['#map', '#tb-days', '.tb-tools', '#tb-strip',
        '.leaflet-control-zoom', '.leaflet-control-layers'].map((selector) => {
        const r = document.querySelector(selector).getBoundingClientRect();
        return [selector, r.width > 0 && r.height > 0];
      })));
      assert.deepEqual(shown, { '#map': true, '#tb-days': true, '.tb-tools': false, '#tb-strip': false,
        '.leaflet-control-zoom': false, '.leaflet-control-layers': false });
      assert.equal(await view.page.locator('#tb-day-list .tb-day').count(), TRIP_DAYS.length + 1);
    } finally {
      await view.context.close();
    }
  });
});

describe('the lists only some writers fill', () => {
  const CASES = [
    { title: 'are used when present', photoDir: 'photos', lists: {
      photoUrl: (n) => `photos/${encodeURIComponent(n)}`, previewUrl: (n, i) => (i % 2 ? '' : `previews/${i}.jpg`),
      withoutPosition: 3 }, unplaced: '3 without position' },
    { title: 'are left out when of the wrong length or not a count', photoDir: '', lists: {
      photoUrl: (n) => `nowhere/${n}`, withoutPosition: -1 }, shorten: true, unplaced: '' },
    // The program's writer leaves out (null) the address of a photo beside the page that is its name.
    { title: 'go by the name where an address is left out', photoDir: '', lists: {
      photoUrl: (n, i) => (i === 0 ? null : `./${encodeURIComponent(n)}`) }, unplaced: '' },
  ];
  for (const c of CASES) {
    test(c.title, async () => {
      const pagePath = await tripAlbum({ photoDir: c.photoDir });
      const dir = path.dirname(pagePath);
      const names = fillOptionalLists(pagePath, c.lists);
      if (c.shorten) {
        const page = fs.readFileSync(pagePath, 'utf8').replace(/(id="tb-photo-urls">\[)("[^"]*",)/, '$1');
        fs.writeFileSync(pagePath, page);
      }
      const previewed = new Set();
      if (c.lists.previewUrl) {
        fs.mkdirSync(path.join(dir, 'previews'));
        const previews = names.map((n, i) => `${i}.jpg`).filter((n, i) => i % 2 === 0);
        await writePhotos(session.browser, path.join(dir, 'previews'), previews);
        previews.forEach((p) => previewed.add(Number.parseInt(p, 10)));
      }
      const view = await openAlbum(session.browser, pagePath);
      try {
        const { page } = view;
        assert.equal(await page.textContent('#tb-unplaced'), c.unplaced);
        for (const index of [0, 1]) {
          await page.evaluate((i) => window.album.openPhoto(i), index);
          await waitForPopup(page, names[index]);
          await page.waitForFunction(() => document.querySelector('.leaflet-popup img').complete);
          const src = await page.getAttribute('.leaflet-popup img', 'src');
          const url = c.lists.photoUrl(names[index], index);
          const original = c.shorten || url === null ? encodeURIComponent(names[index]) : url;
          assert.equal(src, previewed.has(index) ? `previews/${index}.jpg` : original);
          await page.click('.leaflet-popup .tb-thumb');
          await page.waitForSelector('#tb-viewer:not([hidden])');
          assert.equal(await page.getAttribute('#tb-viewer-img', 'src'), original);
          await page.waitForFunction(() => document.getElementById('tb-viewer-img').complete);
          await page.keyboard.press('Escape');
        }
        assert.deepEqual(view.problems(), []);
      } finally {
        await view.context.close();
      }
    });
  }
});

describe('accessibility', () => {
  let pagePath;
  before(async () => { pagePath = await tripAlbum(); });
  const CASES = [
    ['on open, 1280x800', { width: 1280, height: 800 }, null],
    ['on open, 390x844', { width: 390, height: 844 }, null],
    ['with a popup open', { width: 1280, height: 800 }, (page) => page.click('#tb-first-photo')],
    ['with the gallery open, 390x844', { width: 390, height: 844 }, (page) => page.click('#tb-here')],
    ['with the viewer open', { width: 1280, height: 800 }, async (page) => {
      await page.click('#tb-first-photo');
      await page.click('.leaflet-popup .tb-thumb');
    }],
  ];
  for (const [title, viewport, act] of CASES) {
    test(`axe-core finds no violation ${title}, target sizes included`, async () => {
      const view = await openAlbum(session.browser, pagePath, { viewport });
      try {
        if (act) await act(view.page);
        await settle(view.page);
        await view.page.addScriptTag({ content: AXE });
        const violations = await view.page.evaluate(async () => {
          // A marker that the map's edge cuts shows only its part inside the map, but axe
          // measures its whole box, which then reaches under the strip or the header: such
          // markers are left out (a popup's pan can put the end pin a pixel either side of it).
          const map = document.getElementById('map').getBoundingClientRect();
          for (const icon of document.querySelectorAll('.leaflet-marker-pane .leaflet-marker-icon')) {
            const r = icon.getBoundingClientRect();
            if (r.top < map.top || r.bottom > map.bottom || r.left < map.left || r.right > map.right) {
              icon.setAttribute('data-cut-by-map-edge', '');
            }
          }
          const results = await window.axe.run({ exclude: [['[data-cut-by-map-edge]']] }, {
            rules: { 'target-size': { enabled: true } }, resultTypes: ['violations'],
          });
          return results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
        });
        assert.deepEqual(violations, []);
      } finally {
        await view.context.close();
      }
    });
  }
});
