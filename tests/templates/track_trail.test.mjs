// The album page with a recorded track: the track is the trail, coloured by day and following
// the day filter, and a photo placed from the track says so in its popup and the viewer. A page
// whose track list is absent, empty or not of the agreed form draws the trail between photos.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  endMarkers, fillOptionalLists, openAlbum, settle, writeAlbumPage, writePhotos,
} from './album_pages.mjs';
import { browserSession } from './browser_session.mjs';

// The first two days' colours, and the colour of the track on days without photos.
const DAY_1 = '#1f6feb', DAY_2 = '#c2187a', GREY = '#5b6575';

// An arc of `steps` + 1 points from (lat, lng0) to (lat, lng1), bulging north (bulge > 0) or
// south, with the writer's five decimals.
function arc(lat, lng0, lng1, bulge, steps) {
  const points = [];
  for (let k = 0; k <= steps; k++) {
    const angle = Math.PI * (1 - k / steps);
    points.push([+(lat + bulge * Math.sin(angle)).toFixed(5),
      +((lng0 + lng1) / 2 + (lng1 - lng0) / 2 * Math.cos(angle)).toFixed(5)]);
  }
  return points;
}
// Two days with photos, a third with only the track.
const TRACK = [
  { day: '2024:06:03', points: arc(47, 8.00, 8.04, 0.01, 16) },
  { day: '2024:06:04', points: arc(47, 8.04, 8.08, -0.01, 16) },
  { day: '2024:06:05', points: arc(47, 8.08, 8.10, 0.005, 4) },
];
const ROWS = [
  { name: 'start.jpg', dateTime: '2024:06:03 09:00:00', lat: '47.0000000', lng: '8.0000000' },
  { name: 'placed.jpg', dateTime: '2024:06:03 10:00:00', lat: String(TRACK[0].points[8][0]),
    lng: String(TRACK[0].points[8][1]) },
  { name: 'noon.jpg', dateTime: '2024:06:03 12:00:00', lat: '47.0000000', lng: '8.0400000' },
  { name: 'morning.jpg', dateTime: '2024:06:04 09:00:00', lat: '46.9980000', lng: '8.0450000' },
  { name: 'end.jpg', dateTime: '2024:06:04 17:00:00', lat: '46.9990000', lng: '8.0780000' },
];
const TRACK_FIRST_DAY = JSON.stringify(TRACK[0]);
const SOURCES = { 'placed.jpg': { track: 12 } };

const session = browserSession();

// Writes the album of ROWS and fills its track list (undefined: left as the writer left it).
async function trackAlbum(track) {
  const dir = session.folder();
  await writePhotos(session.browser, dir, ROWS.map((r) => r.name));
  const pagePath = path.join(dir, 'album.html');
  writeAlbumPage(ROWS, pagePath);
  fillOptionalLists(pagePath, { track, positionSource: (name) => SOURCES[name] || null });
  return pagePath;
}

// The trail as drawn: per line that holds anything, its colour and its parts of [lat, lng].
const drawnTrail = (page) => page.evaluate(() => window.album.trail.getLayers()
  .map((line) => ({ colour: line.options.color,
    parts: line.getLatLngs().map((part) => part.map((p) => [+p.lat.toFixed(5), +p.lng.toFixed(5)])) }))
  .filter((line) => line.parts.length));

function trackKm(pieces = TRACK) {
  const rad = Math.PI / 180;
  let km = 0;
  for (const { points } of pieces) {
    for (let k = 1; k < points.length; k++) {
      const [a, b] = [points[k - 1], points[k]].map(([lat, lng]) => [lat * rad, lng * rad]);
      const h = Math.sin((b[0] - a[0]) / 2) ** 2 + Math.cos(a[0]) * Math.cos(b[0]) * Math.sin((b[1] - a[1]) / 2) ** 2;
      km += 12742 * Math.asin(Math.sqrt(h));
    }
  }
  return km;
}

describe('an album with a track', () => {
  let view;
  before(async () => { view = await openAlbum(session.browser, await trackAlbum(TRACK)); });
  after(async () => { await view?.context.close(); });

  test('the trail is the track, a line per day in its colour, and the day filter shows one day', async () => {
    const { page } = view;
    await settle(page);
    assert.deepEqual(await drawnTrail(page), [
      { colour: DAY_1, parts: [TRACK[0].points] },
      { colour: DAY_2, parts: [TRACK[1].points] },
      { colour: GREY, parts: [TRACK[2].points] },
    ]);
    assert.deepEqual(await endMarkers(page), { start: 'start.jpg', end: 'end.jpg' });
    await page.evaluate(() => window.album.chooseDay(1, true));
    await settle(page);
    assert.deepEqual(await drawnTrail(page), [{ colour: DAY_2, parts: [TRACK[1].points] }]);
    await page.evaluate(() => window.album.chooseDay(-1, true));
    await settle(page);
    assert.equal((await drawnTrail(page)).length, 3);
    // Zoomed out, each day's line keeps only points a few pixels apart, from its first to its last.
    await page.evaluate(() => window.album.map.setZoom(10, { animate: false }));
    await settle(page);
    const far = await drawnTrail(page);
    assert.deepEqual(far.map((line) => line.parts.map((part) => [part[0], part.at(-1)])),
      TRACK.map((piece) => [[piece.points[0], piece.points.at(-1)]]));
    const drawnPoints = far.reduce((n, line) => n + line.parts[0].length, 0);
    assert.ok(drawnPoints < TRACK.reduce((n, piece) => n + piece.points.length, 0) / 2, JSON.stringify(far));
    await page.evaluate(() => window.album.chooseDay(-1, true));
    await settle(page);
  });

  test('the header gives the distance along the track', async () => {
    const { page } = view;
    assert.ok(Math.abs(await page.evaluate(() => window.album.distanceKm) - trackKm()) < 1e-9);
    assert.equal(await page.getAttribute('#tb-distance', 'title'), 'Distance along the recorded track');
    assert.match(await page.textContent('#tb-distance'), /^[\d.]+ mi along the recorded track$/);
  });

  test('a placed photo says so in its popup and the viewer; one with its own position does not', async () => {
    const { page } = view;
    const cases = [['placed.jpg', 'Position from track (12 s from a track point)'], ['start.jpg', '']];
    for (const [name, source] of cases) {
      await page.evaluate((n) => window.album.openPhoto(window.album.photos.findIndex((p) => p.name === n)), name);
      await page.waitForFunction((n) => document.querySelector('.leaflet-popup .tb-name')?.textContent === n, name);
      assert.equal(await page.evaluate(() => document.querySelector('.leaflet-popup .tb-source')?.textContent ?? ''),
        source);
      await page.evaluate(() => window.album.openViewer(window.album.openIndex));
      assert.equal(await page.textContent('#tb-viewer-source'), source);
      await page.keyboard.press('Escape');
      await page.waitForSelector('#tb-viewer', { state: 'hidden' });
    }
    assert.deepEqual(view.problems(), []);
  });
});

test('a day the track misses keeps the line between its photos, and its distance', async () => {
  const { page, context, problems } = await openAlbum(session.browser, await trackAlbum(TRACK_FIRST_DAY));
  try {
    await settle(page);
    assert.deepEqual(await drawnTrail(page), [
      { colour: DAY_1, parts: [TRACK[0].points] },
      { colour: DAY_2, parts: [ROWS.slice(2).map((r) => [+r.lat, +r.lng])] },
    ]);
    const photoKm = await page.evaluate(() => window.album.distanceKm) - trackKm([TRACK[0]]);
    assert.ok(Math.abs(photoKm - trackKm([{ points: ROWS.slice(2).map((r) => [+r.lat, +r.lng]) }])) < 1e-6);
    assert.deepEqual(problems(), []);
  } finally {
    await context.close();
  }
});

describe('without a usable track', () => {
  // Today's trail: each day's photos in time order, a day starting at the day before's last photo.
  const photoTrail = [
    { colour: DAY_1, parts: [ROWS.slice(0, 3).map((r) => [+r.lat, +r.lng])] },
    { colour: DAY_2, parts: [ROWS.slice(2).map((r) => [+r.lat, +r.lng])] },
  ];
  const CASES = [
    ['the list left unfilled', undefined],
    ['an empty list', ''],
    ['text that is no JSON', '{"day":'],
    ['a piece of one point', '{"day":"2024:06:03","points":[[47,8]]}'],
    ['a day written otherwise', '{"day":"2024-06-03","points":[[47,8],[47.1,8]]}'],
    ['a point off the Earth', '{"day":"2024:06:03","points":[[47,8],[147.1,8]]}'],
  ];
  for (const [label, track] of CASES) {
    test(`${label}: the trail joins the photos`, async () => {
      const { page, context, problems } = await openAlbum(session.browser, await trackAlbum(track));
      try {
        await settle(page);
        assert.deepEqual(await drawnTrail(page), photoTrail);
        assert.equal(await page.getAttribute('#tb-distance', 'title'), null);
        assert.match(await page.textContent('#tb-distance'), /^[\d.]+ mi$/);
        assert.deepEqual(problems(), []);
      } finally {
        await context.close();
      }
    });
  }
});
