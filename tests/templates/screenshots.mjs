#!/usr/bin/env node
// Screenshots of album pages, to look at after a change to the page:
//
//   node tests/templates/screenshots.mjs OUTPUT_FOLDER
//
// trip.png and trip-phone.png (a three-day trip with a photo open, desktop and phone),
// trip-gallery.png (the photos of a cluster), trip-viewer.png (the full-window viewer),
// overview.png (a trip, no tiles: the offline background), popup.png (a portrait photo's
// popup), spot.png (photos at one spot: their stack), narrow.png (a phone-sized window),
// keyboard.png (a marker focused from the keyboard), loading.png (100000 photos while their
// markers are being placed) and large.png (the same, placed).
import fs from 'node:fs';
import path from 'node:path';

import { launchChromium, openAlbum, tempDir, writeAlbumPage, writePhotos } from './album_pages.mjs';
import { tripRows } from './trip_rows.mjs';
import { walkRows } from './walk_rows.mjs';

const out = process.argv[2];
if (!out) {
  console.error('usage: screenshots.mjs OUTPUT_FOLDER');
  process.exit(2);
}
fs.mkdirSync(out, { recursive: true });

const places = [
  [41.9029, 12.4534], [41.8986, 12.4769], [41.8902, 12.4922], [41.8925, 12.4853],
  [41.9009, 12.4833], [41.8955, 12.4823], [41.9058, 12.4823], [41.8894, 12.4708],
];
const rows = [];
places.forEach(([lat, lng], p) => {
  for (let k = 0; k < 1 + (p % 3) * 2; k++) {
    const n = rows.length + 1;
    rows.push({
      name: `IMG_${String(2300 + n)}.jpg`,
      dateTime: n === 4 ? '' : `2023:04:${String(10 + Math.floor(p / 3)).padStart(2, '0')} ` +
        `${String(9 + p).padStart(2, '0')}:${String(10 + k * 7).padStart(2, '0')}:00`,
      lat: (lat + k * 0.00001).toFixed(7), lng: (lng + k * 0.00001).toFixed(7),
    });
  }
});

const browser = await launchChromium();
const dir = tempDir('trailbook-shots-');
try {
  await writePhotos(browser, dir, rows.map((r) => r.name));
  // One portrait photo.
  const page0 = await browser.newPage();
  const portrait = await page0.evaluate(() => {
    const c = document.createElement('canvas');
    c.width = 240; c.height = 320;
    const g = c.getContext('2d');
    g.fillStyle = '#3b7d5a'; g.fillRect(0, 0, 240, 320);
    g.fillStyle = '#f3d36b'; g.beginPath(); g.arc(120, 110, 50, 0, 7); g.fill();
    return c.toDataURL('image/jpeg').split(',')[1];
  });
  await page0.close();
  fs.writeFileSync(path.join(dir, rows[2].name), Buffer.from(portrait, 'base64'));
  const pagePath = path.join(dir, '20230412180000.html');
  writeAlbumPage(rows, pagePath);

  const trip = tripRows();
  await writePhotos(browser, dir, trip.map((r) => r.name));
  const tripPath = path.join(dir, '20240605200000.html');
  writeAlbumPage(trip, tripPath);
  for (const [file, viewport] of [['trip.png', { width: 1280, height: 800 }],
    ['trip-phone.png', { width: 390, height: 844 }]]) {
    const tripView = await openAlbum(browser, tripPath, { viewport });
    await tripView.page.click('#tb-days-button');
    await tripView.page.click('#tb-day-list [data-day="0"]');
    await tripView.page.waitForTimeout(400);
    await tripView.page.evaluate(() => window.album.openPhoto(window.album.walk[1], false));
    await tripView.page.waitForTimeout(800);
    await tripView.page.screenshot({ path: path.join(out, file) });
    if (file === 'trip.png') {
      await tripView.page.evaluate(() => window.album.map.closePopup());
      await tripView.page.click('#tb-here');
      await tripView.page.waitForTimeout(600);
      await tripView.page.screenshot({ path: path.join(out, 'trip-gallery.png') });
      await tripView.page.click('#tb-gallery .tb-tile >> nth=3');
      await tripView.page.waitForTimeout(600);
      await tripView.page.screenshot({ path: path.join(out, 'trip-viewer.png') });
    }
    await tripView.context.close();
  }

  let view = await openAlbum(browser, pagePath);
  await view.page.waitForTimeout(500);
  await view.page.screenshot({ path: path.join(out, 'overview.png') });
  await view.page.evaluate((name) => window.album.openPhoto(window.album.lists.names.indexOf(name), false), rows[2].name);
  await view.page.waitForTimeout(1200);
  await view.page.screenshot({ path: path.join(out, 'popup.png') });
  await view.page.evaluate(() => { window.album.map.closePopup(); });
  const spot = await view.page.evaluate(() => window.album.photos.findIndex((p) => p.name.endsWith('2308.jpg')));
  await view.page.evaluate((i) => window.album.openPhoto(i, false), spot);
  await view.page.waitForTimeout(1500);
  await view.page.evaluate(() => window.album.map.closePopup());
  await view.page.waitForTimeout(300);
  await view.page.screenshot({ path: path.join(out, 'spot.png') });
  await view.page.click('#tb-fit');
  await view.page.waitForTimeout(600);
  await view.page.keyboard.press('Tab');
  for (let k = 0; k < 8; k++) await view.page.keyboard.press('Tab');
  await view.page.screenshot({ path: path.join(out, 'keyboard.png') });
  await view.context.close();

  view = await openAlbum(browser, pagePath, { viewport: { width: 390, height: 760 } });
  await view.page.evaluate(() => window.album.openPhoto(0, false));
  await view.page.waitForTimeout(1200);
  await view.page.screenshot({ path: path.join(out, 'narrow.png') });
  await view.context.close();

  const largePath = path.join(dir, 'large.html');
  writeAlbumPage(walkRows(100000, { seed: 42 }), largePath);
  const context = await browser.newContext({ viewport: { width: 1200, height: 800 } });
  const page = await context.newPage();
  await page.goto(new URL(`file://${largePath}`).href, { waitUntil: 'domcontentloaded' });
  await page.waitForFunction(() => /placing/.test(document.getElementById('tb-progress').textContent),
    null, { timeout: 60000 }).catch(() => {});
  await page.screenshot({ path: path.join(out, 'loading.png') });
  await page.waitForFunction(() => document.documentElement.getAttribute('data-album-ready') === 'true',
    null, { timeout: 120000 });
  await page.waitForTimeout(500);
  await page.screenshot({ path: path.join(out, 'large.png') });
  await context.close();
} finally {
  await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
}
console.log(`screenshots in ${out}`);
