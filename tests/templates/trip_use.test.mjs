// The three-day trip as a reader goes through it with mouse, keys and the address: the keys
// work on the popup whatever opened it, every press counts, a chosen day and an open viewer
// survive a reload and Back, and Back undoes one thing at a time.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { openAlbum, settle, waitUntilReady, writeAlbumPage, writePhotos } from './album_pages.mjs';
import { browserSession } from './browser_session.mjs';
import { tripRows } from './trip_rows.mjs';

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
