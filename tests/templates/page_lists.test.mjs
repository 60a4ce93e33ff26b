// The album page reads its lists of positions and date-times the same whatever their form:
// the page's quick readers must give what JSON.parse (or, for a list that is no strict JSON,
// the script array) gives, and fall back to it for anything else. A large album's clustering
// index, built in a worker from the positions the page hands it, must agree with the page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import {
  launchChromium, linkPhotos, openAlbum, tempDir, writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { STRING_CASES, readLikeThePage } from './list_cases.mjs';
import { walkRows } from './walk_rows.mjs';

let browser, dir;
before(async () => { browser = await launchChromium(); dir = tempDir(); });
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

const ROWS = ['a.jpg', 'b.jpg', 'c.jpg'].map((name, i) => (
  { name, dateTime: `2024:06:0${i + 1} 10:00:00`, lat: String(40 + i), lng: String(8 + i) }));

// Writes the album of ROWS with its lists replaced by `lists` (id -> text between the brackets)
// and opens it.
async function openWithLists(name, lists) {
  const pagePath = path.join(dir, name);
  writeAlbumPage(ROWS, pagePath);
  let page = fs.readFileSync(pagePath, 'utf8');
  for (const [id, text] of Object.entries(lists)) {
    page = page.replace(new RegExp(`(<script type="application/json" id="${id}">)\\[.*?\\](</script>)`, 's'),
      (whole, start, end) => `${start}[${text}]${end}`);
  }
  fs.writeFileSync(pagePath, page);
  return openAlbum(browser, pagePath);
}

const valid = (p) => Array.isArray(p) && p.length === 2 && p.every((x) => typeof x === 'number' && isFinite(x)) &&
  Math.abs(p[0]) <= 90 && Math.abs(p[1]) <= 180;

test('positions in any form of number are read exactly as JSON reads them', async (t) => {
  await writePhotos(browser, dir, ROWS.map((r) => r.name));
  const FULL = '[40.1234567,8.7654321],[41,9],[42,10]';
  // The short positions (tb-points) in forms the quick reader takes or leaves to JSON.parse.
  const CASES = {
    'plain decimals': '[40.12346,8.76543],[-0.00001,-179.99999],[90,180]',
    'exponents, sixteen digits and minus zero': '[4.0e1,8E-0],[41.12345678901234567,9.000000000000000001],[-0,0]',
    'spaces and line breaks': ' [ 40.5 , 8.5 ]\n,\r\n[\t41,9] ,[42 ,10]\n',
    'too large a number': '[40,8],[1e400,9],[42,10]',
    'entries that are no position': '[40,8],[95,9],null',
    'a script array that is no JSON': '[40,8],[41,9],[42,10],',
    'a leading zero': '[040.5,8],[41,9],[42,10]',
  };
  for (const [label, text] of Object.entries(CASES)) {
    await t.test(label, async () => {
      const view = await openWithLists('positions.html', { 'tb-points': text, 'tb-latlngs': FULL });
      try {
        const state = await view.page.evaluate(() => ({
          points: window.album.lists.points, count: document.getElementById('tb-count').textContent,
          shown: window.album.photos.map((p) => [p.name, p.latLng.lat, p.latLng.lng, ...p.position]),
        }));
        const points = readLikeThePage(`[${text}]`);
        assert.deepEqual(state.points, points);
        if (!points) {
          assert.equal(state.count, 'No photo list');
          return;
        }
        const full = JSON.parse(`[${FULL}]`);
        const expected = ROWS.map((r, i) => {
          const shown = valid(points[i]) ? points[i] : valid(full[i]) ? full[i] : null;
          return shown && [r.name, ...shown, ...(valid(full[i]) ? full[i] : shown)];
        }).filter(Boolean);
        // Object.is tells -0 from 0, as the page's numbers must.
        assert.equal(state.shown.length, expected.length);
        state.shown.forEach((row, i) => row.forEach((x, k) => assert.ok(Object.is(x, expected[i][k]),
          `${JSON.stringify(row)} != ${JSON.stringify(expected[i])}`)));
        assert.deepEqual(view.problems(), []);
      } finally {
        await view.context.close();
      }
    });
  }
});

test('names and date-times in any form of JSON string are read exactly as JSON reads them', async (t) => {
  await writePhotos(browser, dir, ROWS.map((r) => r.name));
  for (const [label, [names, dates]] of Object.entries(STRING_CASES)) {
    await t.test(label, async () => {
      const view = await openWithLists('strings.html', { 'tb-names': names, 'tb-dates': dates });
      try {
        const state = await view.page.evaluate(() => ({
          names: window.album.lists.names, dates: window.album.lists.dates,
          count: document.getElementById('tb-count').textContent,
          photos: window.album.photos.map((p) => [p.name, p.dateTime, !!p.parsed]),
        }));
        const [nameList, dateList] = [readLikeThePage(`[${names}]`), readLikeThePage(`[${dates}]`)];
        assert.deepEqual([state.names, state.dates], [nameList, dateList]);
        if (!nameList) {
          assert.equal(state.count, 'No photo list');
          return;
        }
        const expected = nameList.map((name, i) => {
          const text = typeof dateList[i] === 'string' ? dateList[i] : '';
          return [String(name), text, /^\s*\d{4}[:-]\d\d[:-]\d\d[ T]\d\d:\d\d:\d\d\s*$/.test(text)];
        });
        assert.deepEqual(state.photos, expected);
        // The photos themselves are not there: only the page's own errors count.
        assert.deepEqual(view.events.pageErrors, []);
      } finally {
        await view.context.close();
      }
    });
  }
});

test('date-times in the camera form and in others are read alike; unreadable ones go last', async () => {
  // [date-time text, dated] in the order of the page's list.
  const DATES = [
    ['2019:07:14 10:00:00', true], ['2019-07-14T09:00:00', true], [' 2019:07:14 08:00:00 ', true],
    ['2020:02:29 07:00:00', true], ['2019:02:29 10:00:00', false], ['2019:07:14 24:00:00', false],
    ['2019:07:14 10:00', false], ['', false], ['2019\uff1a07:14 10:00:00', false], ['2019:07:14 06:00:00', true],
  ];
  const rows = DATES.map(([dateTime], i) => ({ name: `d${i}.jpg`, dateTime, lat: String(40 + i / 100), lng: '8' }));
  const pagePath = path.join(dir, 'dates.html');
  writeAlbumPage(rows, pagePath);
  let page = fs.readFileSync(pagePath, 'utf8');
  // The list in the order above, whatever order the writer gave.
  const fill = (id, list) => {
    page = page.replace(new RegExp(`(<script type="application/json" id="${id}">)\\[.*?\\](</script>)`, 's'),
      (whole, start, end) => `${start}${JSON.stringify(list)}${end}`);
  };
  fill('tb-names', rows.map((r) => r.name));
  fill('tb-dates', rows.map((r) => r.dateTime));
  fill('tb-latlngs', rows.map((r) => [+r.lat, +r.lng]));
  fill('tb-points', rows.map((r) => [+r.lat, +r.lng]));
  fs.writeFileSync(pagePath, page);
  await writePhotos(browser, dir, rows.map((r) => r.name));
  const view = await openAlbum(browser, pagePath);
  try {
    const state = await view.page.evaluate(() => ({
      walk: window.album.walk.map((i) => window.album.photos[i].name),
      count: document.getElementById('tb-count').textContent,
    }));
    const digits = (text) => text.replace(/\D/g, '');
    const dated = rows.filter((r, i) => DATES[i][1]).sort((a, b) => digits(a.dateTime).localeCompare(digits(b.dateTime)));
    const others = rows.filter((r, i) => !DATES[i][1]);
    assert.deepEqual(state.walk, [...dated, ...others].map((r) => r.name));
    assert.equal(state.count, '10 photos (1 without date)');
    assert.deepEqual(view.problems(), []);
  } finally {
    await view.context.close();
  }
});

test('a large album\'s index, built in its worker, holds each photo where the page has it', async () => {
  const rows = walkRows(25000, { seed: 3 });
  const pagePath = path.join(dir, 'large.html');
  writeAlbumPage(rows, pagePath);
  await linkPhotos(browser, dir, rows.map((r) => r.name));
  const workers = [];
  const view = await openAlbum(browser, pagePath, { beforeLoad: (page) => page.on('worker', (w) => workers.push(w)) });
  try {
    assert.equal(await view.page.evaluate(() => window.album.placed()), rows.length);
    // The page's one worker holds the index: still running once the photos are placed (a page
    // that builds its index itself closes it).
    assert.equal(workers.length, 1);
    assert.deepEqual(view.page.workers(), workers);
    // Photos early, in the middle and late in the walk, and one without a date-time (last),
    // each alone at its spot (photos at one spot open as a stack).
    const places = await view.page.evaluate(() => {
      const { walk, photos } = window.album;
      const spot = (p) => p.position.map((x) => Math.round(x * 1e5)).join();
      const count = new Map();
      photos.forEach((p) => count.set(spot(p), (count.get(spot(p)) || 0) + 1));
      const alone = (from) => walk.slice(from).find((i) => count.get(spot(photos[i])) === 1);
      const undated = walk.find((i) => !photos[i].parsed && count.get(spot(photos[i])) === 1);
      return [alone(1), alone(4321), alone(12345), alone(walk.length - 300), undated];
    });
    for (const index of places) {
      const shown = await view.page.evaluate(async (i) => {
        await window.album.openPhoto(i, false);
        const marker = window.album.markerOf(i), p = window.album.photos[i];
        return { marker: marker && [marker.getLatLng().lat, marker.getLatLng().lng], photo: [p.latLng.lat, p.latLng.lng],
          popup: document.querySelector('.leaflet-popup .tb-name')?.textContent, name: p.name };
      }, index);
      assert.deepEqual(shown.marker, shown.photo, `photo ${shown.name}`);
      assert.equal(shown.popup, shown.name);
    }
    // Each cluster's count and first photo, on the overview and zoomed in, are those of the
    // photos its gallery lists.
    for (const zoomIn of [0, 5]) {
      const clusters = await view.page.evaluate(async (steps) => {
        const { map, walk, photos } = window.album;
        map.closePopup();
        map.setView(photos[walk[12345]].latLng, map.getZoom() + steps, { animate: false });
        await window.album.settled;
        const found = [];
        map.eachLayer((layer) => { if (layer.clusterItem) found.push(layer); });
        const title = document.getElementById('tb-gallery-title');
        const seen = [];
        for (const marker of found.slice(0, 6)) {
          const [, , count, first] = marker.clusterItem;
          title.textContent = '';
          marker.fire('click');
          while (!title.textContent) await new Promise((resolve) => setTimeout(resolve, 20));
          const tile = document.querySelector('#tb-gallery-grid button');
          seen.push({ count, first: photos[walk[first]].name, title: title.textContent,
            firstTile: photos[+tile.dataset.index].name });
        }
        return seen;
      }, zoomIn);
      assert.ok(clusters.length > 0, `clusters at ${zoomIn} steps in`);
      for (const c of clusters) {
        assert.match(c.title, new RegExp(`^${c.count.toLocaleString('en-US')} photos `));
        assert.equal(c.firstTile, c.first);
      }
    }
    assert.deepEqual(view.problems(), []);
  } finally {
    await view.context.close();
  }
});
