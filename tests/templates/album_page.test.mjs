// The album page in headless Chromium, opened from disk as the program opens it: markers and
// clusters, the photo popups, the trail, the header, escaping of names and date-times, the
// keyboard, photos sharing one spot, the gallery, strip, viewer, day list and links. This machine has no network, so every map tile fails.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  endMarkers, fillOptionalLists, openAlbum, orderAndSeparate, settle, trailPoints, visibleMarkers,
  writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { browserSession } from './browser_session.mjs';

const session = browserSession();

// An album folder with photo files and the page written by the album writer.
async function album(rows, { photos = true } = {}) {
  const dir = session.folder();
  if (photos) await writePhotos(session.browser, dir, rows.map((r) => r.name));
  const pagePath = path.join(dir, '20190720160059.html');
  writeAlbumPage(rows, pagePath);
  return pagePath;
}

// Brings photo `index` (album order) into view as its own marker and clicks it like a user.
async function clickPhoto(page, index) {
  await page.evaluate((i) => {
    window.album.map.closePopup();
    return window.album.revealPhoto(i);
  }, index);
  await settle(page);
  const box = await page.evaluate((i) => {
    const r = window.album.markerOf(i)._icon.getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
  }, index);
  await page.mouse.click(box.x, box.y);
  await page.waitForSelector('.leaflet-popup .tb-photo');
}

async function popupContents(page) {
  await page.waitForFunction(() => {
    const img = document.querySelector('.leaflet-popup .tb-photo img');
    return img && (img.complete || document.querySelector('.tb-missing'));
  });
  return page.evaluate(() => {
    const popup = document.querySelector('.leaflet-popup');
    const img = popup.querySelector('img');
    return {
      name: popup.querySelector('.tb-name').textContent,
      nameHasMarkup: popup.querySelector('.tb-name').children.length > 0,
      date: popup.querySelector('.tb-date').textContent,
      position: popup.querySelector('.tb-position').textContent,
      src: img.getAttribute('src'),
      resolved: img.src,
      loaded: img.complete && img.naturalWidth > 0,
      loading: img.getAttribute('loading'),
      width: img.getAttribute('width'),
      height: img.getAttribute('height'),
      boxHeight: Math.round(popup.querySelector('.tb-thumb').getBoundingClientRect().height),
      missing: !!popup.querySelector('.tb-missing'),
    };
  });
}

// Rows as the photos were picked, deliberately not in time order.
const TRIP = [
  { name: 'IMG_0003.jpg', dateTime: '2019:07:16 09:05:00', lat: '48.8606100', lng: '2.3376400', shown: '16 Jul 2019, 09:05:00' },
  { name: 'IMG_0001.jpg', dateTime: '2019:07:14 10:22:03', lat: '48.8583701', lng: '2.2944813', shown: '14 Jul 2019, 10:22:03' },
  // Same five-decimal spot as IMG_0001: the writer moves it one step east.
  { name: 'IMG_0002.jpg', dateTime: '2019:07:14 18:40:10', lat: '48.8583702', lng: '2.2944811', shown: '14 Jul 2019, 18:40:10' },
  { name: 'IMG_0004.jpg', dateTime: '2019:07:20 16:00:59', lat: '48.8867', lng: '2.3431', shown: '20 Jul 2019, 16:00:59' },
  { name: 'undated.jpg', dateTime: '', lat: '48.8530', lng: '2.3499', shown: 'no date' },
  { name: 'odd date.jpg', dateTime: '2019:7:18 noon', lat: '48.8462', lng: '2.3372', shown: '2019:7:18 noon' },
  { name: 'bad day.jpg', dateTime: '2019:02:30 10:00:00', lat: '48.8738', lng: '2.2950', shown: '2019:02:30 10:00:00' },
];
// Album order: by date-time text, byte by byte.
const TRIP_ORDER = orderAndSeparate(TRIP).map((r) => r.name);
// The walk (Next, strip, gallery): readable date-times in time order, then the others.
const TRIP_WALK = ['IMG_0001.jpg', 'IMG_0002.jpg', 'IMG_0003.jpg', 'IMG_0004.jpg', 'undated.jpg',
  'bad day.jpg', 'odd date.jpg'];

describe('an album of a short trip', () => {
  let view;
  before(async () => { view = await openAlbum(session.browser, await album(TRIP)); });
  after(async () => { await view?.context.close(); });

  test('the photo order is the album order', async () => {
    assert.deepEqual(await view.page.evaluate(() => window.album.photos.map((p) => p.name)), TRIP_ORDER);
  });

  test('every photo is on the map, as a marker or inside a cluster', async () => {
    const shown = await visibleMarkers(view.page);
    assert.equal(shown.singles + shown.inClusters, TRIP.length, JSON.stringify(shown));
    assert.equal(await view.page.evaluate(() => window.album.placed()), TRIP.length);
    // Zoomed far out, one cluster holds them all but the start and the end.
    await view.page.evaluate(() => window.album.map.setZoom(3, { animate: false }));
    await settle(view.page);
    assert.deepEqual(await visibleMarkers(view.page), { singles: 2, clusters: 1, inClusters: TRIP.length - 2 });
  });

  test('the view fits all photos', async () => {
    await view.page.click('#tb-fit');
    await settle(view.page);
    const inside = await view.page.evaluate(() => {
      const b = window.album.map.getBounds();
      return window.album.photos.filter((p) => b.contains(p.latLng)).length;
    });
    assert.equal(inside, TRIP.length);
    const zoom = await view.page.evaluate(() => window.album.map.getZoom());
    assert.ok(zoom >= 11 && zoom <= 16, `zoom ${zoom} should show a city-sized trip closely`);
  });

  test('the header gives the number of photos and the time span', async () => {
    const header = await view.page.evaluate(() => ({
      count: document.getElementById('tb-count').textContent,
      span: document.getElementById('tb-span').textContent,
      title: document.title,
    }));
    assert.equal(header.count, '7 photos (1 without date)');
    assert.equal(header.span, '14 Jul 2019 \u2013 20 Jul 2019');
    assert.equal(header.title, 'Photo album \u2013 7 photos, 14 Jul 2019 \u2013 20 Jul 2019');
  });

  test('the trail joins the dated photos in time order, at their separated positions', async () => {
    await view.page.click('#tb-fit');
    await settle(view.page);
    const trail = await trailPoints(view.page);
    const rows = orderAndSeparate(TRIP);
    const at = (name) => { const r = rows.find((row) => row.name === name); return [+r.latShort, +r.lngShort]; };
    // One line a day, each from the day before's last photo: 14 Jul, 16 Jul, 20 Jul.
    assert.deepEqual(trail, [
      [at('IMG_0001.jpg'), at('IMG_0002.jpg')],
      [at('IMG_0002.jpg'), at('IMG_0003.jpg')],
      [at('IMG_0003.jpg'), at('IMG_0004.jpg')],
    ]);
    assert.deepEqual(await view.page.evaluate(() => window.album.lists.points),
      rows.map((r) => [+r.latShort, +r.lngShort]));
    // IMG_0001 and IMG_0002 share a spot; the writer moved them apart.
    assert.notDeepEqual(at('IMG_0001.jpg'), at('IMG_0002.jpg'));
  });

  test('the walk puts the photos without a readable date-time last; start and end are dated', async () => {
    assert.deepEqual(await view.page.evaluate(() =>
      window.album.walk.map((i) => window.album.photos[i].name)), TRIP_WALK);
    assert.deepEqual(await endMarkers(view.page), { start: 'IMG_0001.jpg', end: 'IMG_0004.jpg' });
    await view.page.click('#tb-first-photo');
    await view.page.waitForFunction(() => document.querySelector('.leaflet-popup .tb-name')?.textContent === 'IMG_0001.jpg');
  });

  test('the trail is drawn on the map', async () => {
    await view.page.click('#tb-fit');
    await settle(view.page);
    // The middle of the longest leg of the trail shows on screen in its day's colour.
    const { point, colour } = await view.page.evaluate(() => {
      const { map } = window.album;
      let best = null;
      for (const line of window.album.trail.getLayers()) {
        for (const part of line.getLatLngs()) {
          const pts = part.map((ll) => map.latLngToContainerPoint(ll));
          for (let i = 1; i < pts.length; i++) {
            const length = pts[i].distanceTo(pts[i - 1]);
            if (!best || length > best.length) best = { length, line, mid: pts[i].add(pts[i - 1]).divideBy(2) };
          }
        }
      }
      const box = map.getContainer().getBoundingClientRect();
      return { point: { x: Math.round(box.left + best.mid.x), y: Math.round(box.top + best.mid.y) },
        colour: best.line.options.color };
    });
    const png = await view.page.screenshot({ clip: { ...point, width: 1, height: 1 } });
    const pixel = await view.page.evaluate(async (bytes) => {
      const image = await createImageBitmap(new Blob([new Uint8Array(bytes)], { type: 'image/png' }));
      const g = new OffscreenCanvas(1, 1).getContext('2d');
      g.drawImage(image, 0, 0);
      return Array.from(g.getImageData(0, 0, 1, 1).data);
    }, [...png]);
    const expected = [1, 3, 5].map((k) => parseInt(colour.slice(k, k + 2), 16));
    assert.ok(expected.every((c, k) => Math.abs(c - pixel[k]) < 40), `trail pixel ${pixel}, its day's colour ${colour}`);
  });

  for (const row of TRIP) {
    test(`the popup of ${row.name} shows its photo, name and date-time`, async () => {
      const index = TRIP_ORDER.indexOf(row.name);
      await clickPhoto(view.page, index);
      const popup = await popupContents(view.page);
      assert.equal(popup.name, row.name);
      assert.equal(popup.date, row.shown);
      assert.equal(popup.position, `${TRIP_WALK.indexOf(row.name) + 1} / ${TRIP.length}`);
      assert.equal(decodeURIComponent(popup.src), row.name);
      assert.equal(path.basename(decodeURIComponent(new URL(popup.resolved).pathname)), row.name);
      assert.ok(popup.loaded, `thumbnail ${popup.resolved} did not load`);
      assert.equal(popup.loading, 'lazy');
      assert.deepEqual([popup.width, popup.height, popup.boxHeight], ['240', '180', 180]);
    });
  }

  test('Previous and Next step through the album', async () => {
    await clickPhoto(view.page, TRIP_ORDER.indexOf(TRIP_WALK[1]));
    await view.page.click('.leaflet-popup button[aria-label="Next photo"]');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[2]);
    await view.page.click('.leaflet-popup button[aria-label="Previous photo"]');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[1]);
    await view.page.click('.leaflet-popup button[aria-label="Previous photo"]');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[0]);
    assert.ok(await view.page.evaluate(() =>
      document.querySelector('.leaflet-popup button[aria-label="Previous photo"]').disabled));
  });

  // Find in page, assistive technology and a test's click bring elements into view this way.
  test('bringing a popup half out of the map into view does not shift the map', async () => {
    await clickPhoto(view.page, TRIP_ORDER.indexOf(TRIP_WALK[1]));
    const moved = await view.page.evaluate(() => {
      const { map } = window.album;
      const thumb = document.querySelector('.leaflet-popup .tb-thumb');
      const mapBottom = document.getElementById('map').getBoundingClientRect().bottom;
      map.panBy([0, thumb.getBoundingClientRect().top - mapBottom + 60], { animate: false });
      const before = thumb.getBoundingClientRect().top;
      thumb.scrollIntoView({ block: 'center' });
      return thumb.getBoundingClientRect().top - before;
    });
    assert.equal(moved, 0);
  });

  test('"First photo" opens the album\'s first photo, ready to step on', async () => {
    await view.page.evaluate(() => window.album.map.closePopup());
    await view.page.click('#tb-first-photo');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[0]);
    assert.equal(await view.page.evaluate(() => document.activeElement.getAttribute('aria-label')),
      'Next photo');
    await view.page.keyboard.press('Enter');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[1]);
  });

  test('the keyboard opens a photo, steps on with the arrow keys and closes with Escape', async () => {
    const third = TRIP_ORDER.indexOf(TRIP_WALK[2]);
    await view.page.evaluate((i) => {
      window.album.map.closePopup();
      return window.album.revealPhoto(i);
    }, third);
    await settle(view.page);
    await view.page.evaluate((i) => window.album.markerOf(i)._icon.focus(), third);
    assert.equal(await view.page.evaluate(() => document.activeElement.getAttribute('tabindex')), '0');
    await view.page.keyboard.press('Enter');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[2]);
    // The popup takes the focus, so the arrows step through the photos.
    assert.ok(await view.page.evaluate(() => !!document.activeElement.closest('.leaflet-popup')));
    await view.page.keyboard.press('ArrowRight');
    await view.page.waitForFunction((name) =>
      document.querySelector('.leaflet-popup .tb-name')?.textContent === name, TRIP_WALK[3]);
    await view.page.keyboard.press('Escape');
    await view.page.waitForFunction(() => !document.querySelector('.leaflet-popup'));
  });

  test('the console shows no error but the failed map tiles', async () => {
    assert.deepEqual(view.problems(), []);
    // The tiles did fail here (no network): the filter above had something to filter.
    assert.ok(view.events.failedRequests.some((r) => view.isTile(r.url)));
  });
});

describe('how date-times are shown', () => {
  let view;
  before(async () => {
    view = await openAlbum(session.browser, await album(TRIP.slice(0, 1), { photos: false }));
  });
  after(async () => { await view?.context.close(); });

  const PHOTO_DATES = [
    ['2019:07:14 10:22:03', '14 Jul 2019, 10:22:03'],
    ['2019:01:01 00:00:00', '1 Jan 2019, 00:00:00'],
    ['2019:12:31 23:59:59', '31 Dec 2019, 23:59:59'],
    ['2020:02:29 12:00:00', '29 Feb 2020, 12:00:00'],
    ['2000:02:29 12:00:00', '29 Feb 2000, 12:00:00'],
    ['2019-07-14T10:22:03', '14 Jul 2019, 10:22:03'],
    [' 2019:07:14 10:22:03 ', '14 Jul 2019, 10:22:03'],
    ['', 'no date'],
    ['   ', 'no date'],
    // Not a date-time that can be read: shown as it stands.
    ['2019:02:29 12:00:00', '2019:02:29 12:00:00'],
    ['1900:02:29 12:00:00', '1900:02:29 12:00:00'],
    ['2019:04:31 12:00:00', '2019:04:31 12:00:00'],
    ['2019:13:01 12:00:00', '2019:13:01 12:00:00'],
    ['2019:07:14 24:00:00', '2019:07:14 24:00:00'],
    ['2019:07:14 10:60:00', '2019:07:14 10:60:00'],
    ['0000:00:00 00:00:00', '0000:00:00 00:00:00'],
    ['2019:07:14', '2019:07:14'],
    ['2019:07:14 10:22:03 extra', '2019:07:14 10:22:03 extra'],
    ['yesterday', 'yesterday'],
  ];
  for (const [text, shown] of PHOTO_DATES) {
    test(`${JSON.stringify(text)} is shown as ${JSON.stringify(shown)}`, async () => {
      assert.equal(await view.page.evaluate((t) => window.album.describeDateTime(t), text), shown);
    });
  }

  const SPANS = [
    [['2019:07:14 10:22:03', '2019:07:20 16:00:59'], '14 Jul 2019 \u2013 20 Jul 2019'],
    [['2019:07:20 16:00:59', '', 'odd', '2019:07:14 10:22:03'], '14 Jul 2019 \u2013 20 Jul 2019'],
    [['2019:07:14 16:40:00', '2019:07:14 10:22:03'], '14 Jul 2019, 10:22 \u2013 16:40'],
    [['2019:07:14 10:22:03', '2019:07:14 10:22:03'], '14 Jul 2019, 10:22'],
    [['2018:12:31 23:00:00', '2019:01:01 01:00:00'], '31 Dec 2018 \u2013 1 Jan 2019'],
    [['', 'odd'], ''],
    [[], ''],
  ];
  for (const [texts, shown] of SPANS) {
    test(`the span of ${JSON.stringify(texts)} is ${JSON.stringify(shown)}`, async () => {
      assert.equal(await view.page.evaluate((t) => window.album.describeSpan(t), texts), shown);
    });
  }
});

describe('names and date-times that need escaping', () => {
  const ROWS = [
    { name: 'quote"d.jpg', dateTime: '2020:01:02 03:04:05', shown: '2 Jan 2020, 03:04:05' },
    { name: 'back\\slash.jpg', dateTime: '"quoted"\\ and \\u0041' },
    { name: '<img src=x onerror=window.pwned=1>.jpg', dateTime: '</script><script>window.pwned=2</script>' },
    { name: "it's & <b>bold<.jpg", dateTime: '<!-- <script>' },
    { name: 'caf\u00e9 \u65e5\u672c \ud83d\udcf7.jpg', dateTime: 'line\u2028separator' },
    { name: '{vorn_datetimes}.jpg', dateTime: '{vorn_filenames}' },
    { name: '50% #1 ?x=1.jpg', dateTime: '2020:01:02 03:04:06', shown: '2 Jan 2020, 03:04:06' },
  ].map((row, i) => ({ ...row, lat: (40 + i * 0.01).toFixed(7), lng: (-3.7 - i * 0.01).toFixed(7) }));
  let view;
  before(async () => { view = await openAlbum(session.browser, await album(ROWS)); });
  after(async () => { await view?.context.close(); });

  test('nothing in the lists runs as script or markup', async () => {
    assert.deepEqual(view.problems(), []);
    assert.equal(await view.page.evaluate(() => window.pwned), undefined);
    assert.equal(await view.page.evaluate(() => document.querySelectorAll('b, img[src="x"]').length), 0);
  });

  test('the lists are strict JSON, the quick way to read them', async () => {
    const readable = await view.page.evaluate(() =>
      ['tb-first', 'tb-names', 'tb-dates', 'tb-latlngs', 'tb-points'].map((id) => {
        try {
          return Array.isArray(JSON.parse(document.getElementById(id).textContent));
        } catch {
          return id;
        }
      }));
    assert.deepEqual(readable, [true, true, true, true, true]);
  });

  test('the lists reach the page unchanged', async () => {
    const lists = await view.page.evaluate(() => window.album.lists);
    const order = orderAndSeparate(ROWS);
    assert.deepEqual(lists.names, order.map((r) => r.name));
    assert.deepEqual(lists.dates, order.map((r) => r.dateTime));
  });

  for (const row of ROWS) {
    test(`the popup of ${JSON.stringify(row.name)} shows it as text, with its photo`, async () => {
      const index = await view.page.evaluate((name) => window.album.lists.names.indexOf(name), row.name);
      assert.ok(index >= 0);
      await clickPhoto(view.page, index);
      const popup = await popupContents(view.page);
      assert.equal(popup.name, row.name);
      assert.equal(popup.nameHasMarkup, false);
      assert.equal(popup.date, row.shown ?? row.dateTime);
      assert.ok(popup.loaded, `thumbnail ${popup.resolved} did not load`);
      assert.equal(path.basename(decodeURIComponent(new URL(popup.resolved).pathname)), row.name);
    });
  }
});

describe('lists written as script rather than strict JSON', () => {
  test('are read all the same', async () => {
    const rows = [
      { name: 'one.jpg', dateTime: '2020:05:05 05:05:05', lat: '10.5', lng: '20.5' },
      { name: 'two.jpg', dateTime: '2020:05:05 06:06:06', lat: '10.6', lng: '20.6' },
    ];
    const pagePath = await album(rows);
    // Single quotes and a \x escape: fine in a script, not in JSON.
    const page = fs.readFileSync(pagePath, 'utf8')
      .replace('"one.jpg"', "'one.jpg'").replace('"two.jpg"', '"tw\\x6F.jpg"');
    fs.writeFileSync(pagePath, page);
    const view = await openAlbum(session.browser, pagePath);
    try {
      assert.deepEqual(await view.page.evaluate(() => window.album.lists.names), ['one.jpg', 'two.jpg']);
      const shown = await visibleMarkers(view.page);
      assert.equal(shown.singles + shown.inClusters, 2);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });
});

describe('photos at one spot', () => {
  // Six photos taken at one place: the first and the last are the trip's start and end; the
  // others stand as one stack, whose gallery leads to each of them.
  const ROWS = Array.from({ length: 6 }, (_, i) => ({
    name: `spot${i + 1}.jpg`, dateTime: `2021:05:01 12:00:0${i}`, lat: '-33.8567844', lng: '151.2152967',
  }));
  let view;
  before(async () => { view = await openAlbum(session.browser, await album(ROWS)); });
  after(async () => { await view?.context.close(); });

  test('show as one stack that opens their gallery, and each opens in the viewer', async () => {
    const { page } = view;
    const maxZoom = await page.evaluate(() => window.album.map.getMaxZoom());
    assert.equal(maxZoom, 19);
    await page.evaluate(() => window.album.map.setView(window.album.bounds.getCenter(), 19, { animate: false }));
    await settle(page);
    assert.deepEqual(await visibleMarkers(page), { singles: 2, clusters: 1, inClusters: 4 });
    await page.click('.tb-cluster.tb-stack');
    await page.waitForSelector('#tb-gallery:not([hidden]) .tb-tile');
    assert.equal(await page.textContent('#tb-gallery-title'), '4 photos taken at this spot');
    const tiles = await page.$$eval('#tb-gallery .tb-tile', (list) =>
      list.map((t) => window.album.photos[t.dataset.index].name));
    assert.deepEqual(tiles, ROWS.slice(1, 5).map((r) => r.name));
    for (let k = 0; k < tiles.length; k++) {
      await page.click(`#tb-gallery li:nth-child(${k + 1}) .tb-tile`);
      await page.waitForSelector('#tb-viewer:not([hidden])');
      assert.equal(await page.textContent('#tb-viewer-name'), tiles[k]);
      await page.waitForFunction(() => document.getElementById('tb-viewer-img').complete);
      assert.ok(await page.evaluate(() => document.getElementById('tb-viewer-img').naturalWidth > 0));
      await page.keyboard.press('Escape');
      await page.waitForSelector('#tb-viewer', { state: 'hidden' });
    }
    assert.deepEqual(view.problems(), []);
  });
});

describe('an album of one photo', () => {
  const ROWS = [{ name: 'only.jpg', dateTime: '2018:12:31 23:59:58', lat: '64.1466', lng: '-21.9426' }];
  let view;
  before(async () => { view = await openAlbum(session.browser, await album(ROWS)); });
  after(async () => { await view?.context.close(); });

  test('is centred on its photo, with a singular header', async () => {
    const state = await view.page.evaluate(() => ({
      center: window.album.map.getCenter(), zoom: window.album.map.getZoom(),
      count: document.getElementById('tb-count').textContent,
      span: document.getElementById('tb-span').textContent,
      trailLines: window.album.trail.getLayers().reduce((n, l) => n + l.getLatLngs().length, 0),
    }));
    assert.deepEqual([state.center.lat, state.center.lng].map((x) => x.toFixed(4)), ['64.1466', '-21.9426']);
    assert.equal(state.zoom, 16);
    assert.equal(state.count, '1 photo');
    assert.equal(state.span, '31 Dec 2018, 23:59');
    assert.equal(state.trailLines, 0);
    assert.deepEqual(await visibleMarkers(view.page), { singles: 1, clusters: 0, inClusters: 0 });
    assert.deepEqual(view.problems(), []);
  });
});

describe('a photo that is no longer beside the page', () => {
  const ROWS = [
    { name: 'here.jpg', dateTime: '2018:06:01 08:00:00', lat: '51.5007', lng: '-0.1246' },
    { name: 'gone.jpg', dateTime: '2018:06:01 09:00:00', lat: '51.5033', lng: '-0.1195' },
  ];
  let view;
  before(async () => {
    const pagePath = await album(ROWS);
    fs.unlinkSync(path.join(path.dirname(pagePath), 'gone.jpg'));
    view = await openAlbum(session.browser, pagePath);
  });
  after(async () => { await view?.context.close(); });

  test('shows "Photo not found" in its popup, and the failure in the console', async () => {
    await clickPhoto(view.page, 1);
    const popup = await popupContents(view.page);
    assert.equal(popup.missing, true);
    assert.match(await view.page.textContent('.leaflet-popup .tb-thumb'), /Photo not found/);
    // The missing file is a real problem and is not filtered like the map tiles.
    assert.ok(view.problems().some((p) => p.includes('gone.jpg')), view.problems().join('\n'));
  });
});

describe('photos the browser cannot draw', () => {
  const ROWS = [
    { name: 'phone.HEIC', dateTime: '2018:06:01 08:00:00', lat: '51.5007', lng: '-0.1246' },
    { name: 'raw.NEF', dateTime: '2018:06:01 09:00:00', lat: '51.5033', lng: '-0.1195' },
  ];
  test('show their preview, and without one the popup says so and links the file', async () => {
    const pagePath = await album(ROWS);  // files named so, which the strip may load
    const dir = path.dirname(pagePath);
    fs.mkdirSync(path.join(dir, 'previews'));
    await writePhotos(session.browser, path.join(dir, 'previews'), ['phone.jpg']);
    fillOptionalLists(pagePath, { previewUrl: (n) => (n === 'phone.HEIC' ? 'previews/phone.jpg' : '') });
    const view = await openAlbum(session.browser, pagePath);
    try {
      await clickPhoto(view.page, 0);
      const previewed = await popupContents(view.page);
      assert.deepEqual([previewed.src, previewed.loaded, previewed.missing], ['previews/phone.jpg', true, false]);
      await clickPhoto(view.page, 1);
      const thumb = view.page.locator('.leaflet-popup .tb-thumb');
      assert.equal(await thumb.textContent(), 'No preview for this photo');
      assert.equal(await thumb.getAttribute('href'), 'raw.NEF');
      assert.equal(await view.page.locator('.leaflet-popup img').count(), 0);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });
});

describe('the template opened as it is', () => {
  test('says it holds no photos instead of breaking', async () => {
    const { templatePath } = await import('./album_pages.mjs');
    const dir = session.folder();
    const copy = path.join(dir, 'template.html');
    fs.copyFileSync(templatePath(), copy);
    const view = await openAlbum(session.browser, copy);
    try {
      assert.match(await view.page.textContent('.tb-empty'), /template without photos/);
      assert.deepEqual(view.problems(), []);
    } finally {
      await view.context.close();
    }
  });
});
