// The three-day trip as a reader goes through it with mouse, keys and the address: the keys
// work on the popup whatever opened it, every press counts, a chosen day and an open viewer
// survive a reload and Back, and Back undoes one thing at a time.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  fillOptionalLists, openAlbum, settle, waitUntilReady, writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { browserSession } from './browser_session.mjs';
import { tripRows } from './trip_rows.mjs';
import { walkRows, walkTrack } from './walk_rows.mjs';

const ROWS = tripRows();
const session = browserSession();

const popupName = (page) => page.evaluate(() => document.querySelector('.leaflet-popup .tb-name')?.textContent ?? null);
const waitForPopup = (page, name) => page.waitForFunction((n) =>
  document.querySelector('.leaflet-popup .tb-name')?.textContent === n, name);
const waitForNoPopup = (page) => page.waitForFunction(() => !document.querySelector('.leaflet-popup'));
// The name of the photo at walk place `w`, and the walk place of the photo named so.
const walkName = (page, w) => page.evaluate((place) => window.album.photos[window.album.walk[place]].name, w);
const state = (page) => page.evaluate(() => ({
  hash: decodeURIComponent(location.hash), day: document.getElementById('tb-days-button').textContent,
  popup: document.querySelector('.leaflet-popup .tb-name')?.textContent ?? null,
  viewer: document.getElementById('tb-viewer').hidden ? null : document.getElementById('tb-viewer-name').textContent,
}));
async function reload(page) {
  await page.reload();
  await waitUntilReady(page);
  await settle(page);
}

describe('a three-day trip in use', () => {
  let pagePath, view;
  before(async () => {
    const dir = session.folder();
    await writePhotos(session.browser, dir, ROWS.map((r) => r.name));
    pagePath = path.join(dir, 'trip.html');
    writeAlbumPage(ROWS, pagePath);
    view = await openAlbum(session.browser, pagePath, { viewport: { width: 1280, height: 800 } });
    view.page.setDefaultTimeout(10000);
  });
  after(async () => { await view?.context.close(); });

  // How the popup of the photo at walk place `from` is opened: each then takes the arrow keys
  // and Escape without a click on the popup first.
  const OPENERS = [
    ['a click on the start pin', 0, (page) => page.click('.leaflet-marker-pane .tb-first > span')],
    ['a click on a strip photo', 3, (page) => page.click('#tb-strip .tb-strip-item[data-place="3"]')],
    ['Enter on a strip photo', 5, async (page) => {
      await page.focus('#tb-strip .tb-strip-item[data-place="5"]');
      await page.keyboard.press('Enter');
    }],
    ['a reload at its address', 7, async (page) => {
      const name = await walkName(page, 7);
      await page.evaluate((n) => { location.hash = '#photo=' + encodeURIComponent(n); }, name);
      await reload(page);
    }],
  ];
  for (const [how, from, open] of OPENERS) {
    test(`the arrow keys and Escape work on a popup opened by ${how}`, async () => {
      const { page } = view;
      await page.evaluate(() => window.album.map.closePopup());
      await settle(page);
      await open(page);
      await waitForPopup(page, await walkName(page, from));
      await settle(page);
      await page.keyboard.press('ArrowRight');
      await waitForPopup(page, await walkName(page, from + 1));
      await settle(page);
      await page.keyboard.press('ArrowLeft');
      await waitForPopup(page, await walkName(page, from));
      await settle(page);
      await page.keyboard.press('Escape');
      await waitForNoPopup(page);
    });
  }

  test('the photos without position are a button that lists them, or says what is missing', async () => {
    const dir = session.folder();
    fs.copyFileSync(new URL('../../samples/IMG_0101.JPG', import.meta.url), path.join(dir, 'IMG_0900.JPG'));
    const unplaced = [['IMG_0900.JPG', '2024:06:04 11:02:40', 'IMG_0900.JPG'], ['RAW_1.NEF', '', 'RAW_1.NEF']];
    const cases = [
      { count: 10, unplaced: undefined, text: /^10 photos given to this album are not on the map.*log names each/, items: [], images: 0 },
      { count: 2, unplaced, text: /^2 photos given to this album are not on the map.*They are:$/,
        items: ['IMG_0900.JPG \u00b7 4 Jun 2024, 11:02:40', 'RAW_1.NEF \u00b7 no date'], images: 1 },
    ];
    for (const c of cases) {
      const unplacedPage = path.join(dir, `unplaced-${c.count}.html`);
      writeAlbumPage(ROWS, unplacedPage);
      fillOptionalLists(unplacedPage, { withoutPosition: c.count, unplaced: c.unplaced });
      const other = await openAlbum(session.browser, unplacedPage);
      try {
        const { page } = other;
        await page.click('#tb-unplaced button');
        assert.match(await page.textContent('#tb-unplaced-text'), c.text);
        assert.deepEqual(await page.$$eval('#tb-unplaced-photos li', (items) => items.map((li) => li.textContent)), c.items);
        // The photo's own picture, where the browser draws its kind; none for the raw file.
        await page.waitForFunction((n) => [...document.querySelectorAll('#tb-unplaced-photos img')]
          .filter((img) => img.complete && img.naturalWidth > 0).length === n, c.images);
        await page.keyboard.press('Escape');
        assert.deepEqual(await page.evaluate(() => [document.getElementById('tb-unplaced-panel').hidden,
          document.activeElement.textContent, document.activeElement.getAttribute('aria-expanded')]),
        [true, `${c.count} without position`, 'false']);
      } finally {
        await other.context.close();
      }
    }
  });

  test('twenty fast presses of ArrowRight step twenty photos', async () => {
    const { page } = view;
    await page.click('#tb-first-photo');
    await waitForPopup(page, await walkName(page, 0));
    await settle(page);
    for (let k = 0; k < 20; k++) await page.keyboard.press('ArrowRight');
    await waitForPopup(page, await walkName(page, 20));
    await settle(page);
    assert.equal(await popupName(page), await walkName(page, 20));
  });

  test('a day chosen closes the photo of another day; reload, Back and Forward agree', async () => {
    const { page } = view;
    await page.click('#tb-first-photo');
    const first = await walkName(page, 0);
    await waitForPopup(page, first);
    await page.click('#tb-days-button');
    await page.click('#tb-day-list [data-day="1"]');
    await settle(page);
    const dayTwo = { hash: '#day=2', day: 'Day 2 \u00b7 Tue 4 Jun \u00b7 7 photos', popup: null, viewer: null };
    assert.deepEqual(await state(page), dayTwo);
    await reload(page);
    assert.deepEqual(await state(page), dayTwo);
    await page.goBack();
    await waitForPopup(page, first);
    await settle(page);
    assert.deepEqual(await state(page), { hash: `#photo=${first}`, day: 'All days', popup: first, viewer: null });
    await page.goForward();
    await waitForNoPopup(page);
    await settle(page);
    assert.deepEqual(await state(page), dayTwo);
  });

  test('the viewer is in the address; its steps replace the entry, and Back only closes it', async () => {
    const { page } = view;
    await page.evaluate(() => window.album.chooseDay(-1, true));
    await page.click('#tb-first-photo');
    const names = await Promise.all([0, 1, 2].map((w) => walkName(page, w)));
    await waitForPopup(page, names[0]);
    await settle(page);
    await page.click('.leaflet-popup .tb-thumb');
    await page.waitForSelector('#tb-viewer:not([hidden])');
    const entries = await page.evaluate(() => history.length);
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    assert.deepEqual(await state(page), { hash: `#photo=${names[2]}&view=1`, day: 'All days',
      popup: names[0], viewer: names[2] });
    assert.equal(await page.evaluate(() => history.length), entries);
    // A link with the viewer open opens it again.
    await reload(page);
    await page.waitForSelector('#tb-viewer:not([hidden])');
    assert.equal((await state(page)).viewer, names[2]);
    await page.goBack();
    await page.waitForSelector('#tb-viewer', { state: 'hidden' });
    await waitForPopup(page, names[2]);
    assert.deepEqual(await state(page), { hash: `#photo=${names[2]}`, day: 'All days', popup: names[2], viewer: null });
    assert.deepEqual(view.problems(), []);
  });
});

// The markers on screen (pins by their heads) that lie under `rect` (a DOMRect's fields).
const markersUnder = (page, rect) => page.evaluate((r) => [...document.querySelectorAll(
  '.leaflet-marker-pane .tb-cluster, .leaflet-marker-pane .tb-photo-marker:not(.tb-first):not(.tb-last), ' +
  '.leaflet-marker-pane .tb-first > span, .leaflet-marker-pane .tb-last > span')]
  .map((e) => e.getBoundingClientRect())
  .filter((m) => m.right > r.left && m.left < r.right && m.bottom > r.top && m.top < r.bottom).length, rect);
const rectOf = (page, selector) => page.evaluate((s) => {
  const { left, top, right, bottom } = document.querySelector(s).getBoundingClientRect();
  return { left, top, right, bottom };
}, selector);

describe('the photos in sight', () => {
  let pagePath;
  before(async () => {
    const dir = session.folder();
    await writePhotos(session.browser, dir, ROWS.map((r) => r.name));
    pagePath = path.join(dir, 'trip.html');
    writeAlbumPage(ROWS, pagePath);
  });
  const open = (viewport) => openAlbum(session.browser, pagePath, { viewport });
  const PHONE = { width: 390, height: 844 };

  // A walk south whose end is at the bottom of the map, in the middle: where the notice stands.
  const SOUTHWARD = Array.from({ length: 12 }, (x, k) => ({ name: `south ${k + 1}.jpg`,
    dateTime: `2024:06:03 ${String(8 + k).padStart(2, '0')}:00:00`,
    lat: (47.4 - 0.01 * k).toFixed(7), lng: (8.5 + 0.004 * (k % 2)).toFixed(7) }));
  for (const viewport of [{ width: 1280, height: 800 }, PHONE]) {
    test(`no marker lies under the tile notice on open at ${viewport.width}x${viewport.height}`, async () => {
      const dir = session.folder();
      await writePhotos(session.browser, dir, SOUTHWARD.map((r) => r.name));
      const southPage = path.join(dir, 'south.html');
      writeAlbumPage(SOUTHWARD, southPage);
      const view = await openAlbum(session.browser, southPage, { viewport });
      try {
        await view.page.waitForFunction(() => window.album.map.hasLayer(window.album.offlineMap) &&
          !document.getElementById('tb-notice').hidden);
        await settle(view.page);
        assert.equal(await markersUnder(view.page, await rectOf(view.page, '#tb-notice')), 0);
      } finally {
        await view.context.close();
      }
    });
  }

  test('a cluster opened on a phone shows its photos above the gallery sheet', async () => {
    const view = await open(PHONE);
    try {
      const { page } = view;
      await settle(page);
      await page.click('.leaflet-marker-pane .tb-cluster:not(.tb-stack)');
      await page.waitForSelector('#tb-gallery-grid .tb-tile');
      await settle(page);
      const outside = await page.evaluate(() => {
        const { map, photos } = window.album;
        const box = document.getElementById('map').getBoundingClientRect();
        const sheet = document.getElementById('tb-gallery').getBoundingClientRect();
        return [...document.querySelectorAll('#tb-gallery-grid .tb-tile')].map((tile) => {
          const at = map.latLngToContainerPoint(photos[tile.dataset.index].latLng);
          return { name: photos[tile.dataset.index].name, x: at.x, y: at.y };
        }).filter((p) => !(p.x > 0 && p.x < box.width && p.y > 0 && p.y < sheet.top - box.top));
      });
      assert.deepEqual(outside, []);
    } finally {
      await view.context.close();
    }
  });

  test('a phone fits a track album to its walk and keeps the header to two lines', async () => {
    // A walk of about 0.0275 degrees of longitude: 160 px wide at zoom 13, 320 px at zoom 14.
    const rows = Array.from({ length: 12 }, (x, k) => ({ name: `walk ${k + 1}.jpg`,
      dateTime: `2024:06:0${k < 6 ? 3 : 4} ${String(9 + k).padStart(2, '0')}:00:00`,
      lat: (47.37 + 0.0007 * k).toFixed(7), lng: (8.5 + 0.0025 * k).toFixed(7) }));
    const dir = session.folder();
    await writePhotos(session.browser, dir, rows.map((r) => r.name));
    const walkPage = path.join(dir, 'walk.html');
    writeAlbumPage(rows, walkPage);
    fillOptionalLists(walkPage, { track: walkTrack(rows, 60) });
    const view = await openAlbum(session.browser, walkPage, { viewport: PHONE });
    try {
      const { page } = view;
      await settle(page);
      const filled = await page.evaluate(() => {
        const { map, bounds, track } = window.album, t = track.bounds(-1);
        const b = window.L.latLngBounds(bounds.getSouthWest(), bounds.getNorthEast())
          .extend(window.L.latLngBounds([t[0], t[1]], [t[2], t[3]]));
        const nw = map.latLngToContainerPoint(b.getNorthWest()), se = map.latLngToContainerPoint(b.getSouthEast());
        return (se.x - nw.x) / map.getSize().x;
      });
      assert.ok(filled > 0.6, `the walk fills ${filled} of the map's width`);
      await page.click('#tb-days-button');
      await page.click('#tb-day-list [data-day="1"]');
      await settle(page);
      const header = await rectOf(page, '.tb-header');
      const tools = await rectOf(page, '.tb-tools');
      const title = await rectOf(page, '#tb-title');
      assert.ok(tools.bottom - tools.top < 40 && title.bottom <= tools.top && header.bottom - header.top < 80,
        JSON.stringify({ header, tools, title }));
    } finally {
      await view.context.close();
    }
  });

  test('no line of the header\'s figures starts with a dot', async () => {
    const view = await open({ width: 620, height: 700 });
    try {
      const dots = await view.page.evaluate(() => {
        const summary = document.getElementById('tb-summary').getBoundingClientRect();
        const figures = [...document.querySelectorAll('#tb-summary span[id]')].filter((s) => s.textContent);
        const lines = new Set(figures.map((s) => Math.round(s.getBoundingClientRect().top)));
        // The first figure of each line: its dot, the part before its text, is cut off.
        return [...lines].map((top) => figures.find((s) => Math.round(s.getBoundingClientRect().top) === top))
          .filter((s) => s.getBoundingClientRect().left >= summary.left - 1)
          .map((s) => s.textContent);
      });
      assert.deepEqual(dots, []);
    } finally {
      await view.context.close();
    }
  });
});

describe('pins and colours', () => {
  test('day colours stand apart from each other and from the pins, photos and clusters', async () => {
    // Long enough for every day colour.
    const rows = walkRows(600, { seed: 5 });
    const dir = session.folder();
    const pagePath = path.join(dir, 'walk.html');
    writeAlbumPage(rows, pagePath);
    const view = await openAlbum(session.browser, pagePath);
    try {
      const { days, marks } = await view.page.evaluate(() => {
        const rgb = (text) => text.match(/[\d.]+/g).slice(0, 3).map(Number);
        const pane = document.querySelector('.leaflet-marker-pane');
        const probe = (className, inner) => {
          const e = document.createElement('div');
          e.className = className;
          if (inner) e.appendChild(document.createElement('span'));
          pane.appendChild(e);
          const colour = getComputedStyle(inner ? e.firstChild : e).backgroundColor;
          e.remove();
          return rgb(colour);
        };
        return {
          days: [...new Set(window.album.days.map((d) => d.colour))].map((c) => {
            const e = document.createElement('div');
            e.style.color = c;
            document.body.appendChild(e);
            const value = rgb(getComputedStyle(e).color);
            e.remove();
            return value;
          }),
          marks: [probe('tb-photo-marker tb-first', true), probe('tb-photo-marker tb-last', true),
            probe('tb-photo-marker', true), probe('tb-cluster tb-cluster-s'), probe('tb-cluster tb-cluster-m'),
            probe('tb-cluster tb-cluster-l'), probe('tb-cluster tb-stack'), [255, 180, 0]],
        };
      });
      assert.ok(days.length >= 8, `${days.length} day colours`);
      const apart = (a, b) => Math.hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
      const close = [];
      days.forEach((day, d) => {
        marks.forEach((mark) => { if (apart(day, mark) < 80) close.push([day, mark]); });
        days.slice(d + 1).forEach((other) => { if (apart(day, other) < 60) close.push([day, other]); });
      });
      assert.deepEqual(close, []);
    } finally {
      await view.context.close();
    }
  });

  for (const viewport of [{ width: 1280, height: 800 }, { width: 390, height: 844 }]) {
    test(`the start and end stems pass under the clusters' counts at ${viewport.width}x${viewport.height}`, async () => {
      const dir = session.folder();
      const pagePath = path.join(dir, 'trip.html');
      writeAlbumPage(ROWS, pagePath);
      const view = await openAlbum(session.browser, pagePath, { viewport });
      try {
        await settle(view.page);
        const crossings = await view.page.evaluate(() => {
          // A stem counts as what it covers, whatever it lets clicks through.
          const style = document.createElement('style');
          style.textContent = '.leaflet-marker-pane .tb-photo-marker::after, .leaflet-marker-pane .tb-stem ' +
            '{ pointer-events: auto !important; }';
          document.head.appendChild(style);
          const { map, photos } = window.album;
          const box = document.getElementById('map').getBoundingClientRect();
          const counts = [...document.querySelectorAll('.leaflet-marker-pane .tb-cluster [data-count]')];
          const found = [];
          for (const pin of document.querySelectorAll('.leaflet-marker-pane .tb-first, .leaflet-marker-pane .tb-last')) {
            const spot = map.latLngToContainerPoint(photos[pin.dataset.index].latLng);
            const x = box.left + spot.x, top = pin.querySelector('span').getBoundingClientRect().bottom + 1;
            for (let y = top; y <= box.top + spot.y; y++) {
              const count = counts.find((c) => {
                const r = c.getBoundingClientRect();
                return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
              });
              if (count) found.push({ count: count.textContent, onTop: count.closest('.tb-cluster').contains(document.elementFromPoint(x, y)) });
            }
          }
          style.remove();
          return found;
        });
        assert.ok(crossings.length > 0, 'no stem passes a count here');
        assert.deepEqual(crossings.filter((c) => !c.onTop), []);
      } finally {
        await view.context.close();
      }
    });
  }
});
