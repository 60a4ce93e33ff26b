// How the page writes dates, counts and distances, and what the trail and the days make of the
// photos: the page's pure modules, without a browser.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { findDays, labelDays } from '../../../templates/page/day_groups.js';
import { describeDateTime, describeSpan, formatCount, formatDistance, plural, usesMiles }
  from '../../../templates/page/formats.js';
import { distanceKm, mercatorX, mercatorY } from '../../../templates/page/geo.js';
import { parseDateTime } from '../../../templates/page/lists.js';
import { simplifiedLines } from '../../../templates/page/simplify.js';
import { describeSource } from '../../../templates/page/track.js';

test('date-times and spans', () => {
  const DATES = [
    ['2024:06:01 09:05:03', '1 Jun 2024, 09:05:03'], ['  ', 'no date'], ['', 'no date'],
    ['yesterday', 'yesterday'],
  ];
  for (const [text, shown] of DATES) assert.equal(describeDateTime(text).text, shown, text);
  const SPANS = [
    [[], ''],
    [['2024:06:01 09:05:00'], '1 Jun 2024, 09:05'],
    [['2024:06:01 18:00:00', 'bad', '2024:06:01 09:05:00'], '1 Jun 2024, 09:05 \u2013 18:00'],
    [['2024:06:03 08:00:00', '2023:12:30 10:00:00'], '30 Dec 2023 \u2013 3 Jun 2024'],
  ];
  for (const [texts, span] of SPANS) assert.equal(describeSpan(texts.map(parseDateTime)), span, texts.join());
});

test('counts, on a cluster and in words', () => {
  const COUNTS = [[0, '0'], [9999, '9999'], [10000, '10k'], [999999, '999k'], [1000000, '1M'], [1250000, '1.2M']];
  for (const [n, shown] of COUNTS) assert.equal(formatCount(n), shown);
  assert.deepEqual([plural(1, 'day', 'days'), plural(2, 'day', 'days'), plural(0, 'day', 'days')],
    ['1 day', '2 days', '0 days']);
});

test('distances in miles where the reader\'s country measures roads in them', () => {
  const LANGUAGES = [['en-US', true], ['en-GB', true], ['my-MM', true], ['en', false], ['de-DE', false],
    ['', false], ['en-USA', false]];
  for (const [language, miles] of LANGUAGES) assert.equal(usesMiles(language), miles, language);
  assert.equal(formatDistance(16.09344, 'en-US'), '10 mi');
  assert.equal(formatDistance(250, 'de-DE'), (250).toLocaleString() + ' km');
  assert.equal(formatDistance(2.25, 'fr-FR'), (2.3).toLocaleString() + ' km');
});

test('great-circle distances and the map\'s projection', () => {
  const LEGS = [
    [[0, 0, 1, 0], 111.19], [[0, 179.5, 0, -179.5], 111.19], [[90, 0, -90, 0], 20015.09], [[48.85, 2.35, 48.85, 2.35], 0],
  ];
  for (const [leg, km] of LEGS) assert.ok(Math.abs(distanceKm(...leg) - km) < 0.01, `${leg}: ${distanceKm(...leg)}`);
  assert.deepEqual([mercatorX(-180), mercatorX(0), mercatorX(180), mercatorY(0)], [0, 0.5, 1, 0.5]);
  assert.ok(Math.abs(mercatorY(85.0511287798)) < 1e-9 && Math.abs(mercatorY(-85.0511287798) - 1) < 1e-9);
});

test('a photo\'s position from the track, in words', () => {
  const SOURCES = [
    [{ track: 0 }, 'Position from track (on a track point)'], [{ track: 1 }, 'Position from track (1 s from a track point)'],
    [{ track: 75 }, 'Position from track (1 min 15 s from a track point)'],
    [{ track: 600 }, 'Position from track (10 min from a track point)'],
    [{ track: 7200 }, 'Position from track (2 h from a track point)'],
    [{ track: 7260 }, 'Position from track (2 h 1 min from a track point)'], [null, ''], [{}, ''],
  ];
  for (const [source, text] of SOURCES) assert.equal(describeSource(source), text, JSON.stringify(source));
});

test('the trail keeps a point per cell, the last one, and the points where it leaves the view', () => {
  const x = [0.1, 0.11, 0.12, 0.5, 0.9, 0.91, 0.2, 0.21];
  const y = x.map(() => 0.5);
  const view = (x0, x1, cell) => ({ x0, x1, y0: 0, y1: 1, cell, wholeWorld: x1 - x0 >= 1 });
  const CASES = [
    ['the whole world, fine cells', [0, 8, view(-1, 1, 0.001)], [[0, 1, 2, 3, 4, 5, 6, 7]]],
    ['the whole world, coarse cells', [0, 8, view(-1, 1, 0.25)], [[0, 3, 4, 6, 7]]],
    // A line starts at its first point in view and ends at its first point out of it.
    ['the west of the world', [0, 8, view(0, 0.3, 0.001)], [[0, 1, 2, 3], [6, 7]]],
    ['from the third point', [2, 8, view(0, 0.3, 0.001)], [[2, 3], [6, 7]]],
    ['the east of the world', [0, 8, view(0.4, 0.95, 0.001)], [[3, 4, 5, 6]]],
    ['nothing in view', [0, 8, view(0.6, 0.8, 0.001)], []],
    ['one point', [0, 1, view(-1, 1, 0.001)], []],
  ];
  for (const [label, [first, end, box], lines] of CASES) {
    const found = [['before']];
    simplifiedLines(x, y, first, end, box, (w) => w, found);
    assert.deepEqual(found, [['before'], ...lines], label);
  }
});

test('days: the dated photos of each calendar date, and the distance along them', () => {
  const texts = ['2023:12:31 23:00:00', '2023:12:31 23:30:00', '2024:01:01 08:00:00', '2024:01:03 09:00:00'];
  const parsed = texts.map(parseDateTime);
  // Photo i at walk place 3 - i, one kilometre apart.
  const walk = [3, 2, 1, 0], days = [], dayOf = new Int32Array(4).fill(-1);
  const album = { walk, keys: parsed.map((p) => +p.key), dayOf, parsedOf: (i) => parsed[i], legKm: () => 1 };
  // In two steps, as the page finds them, a day going on across them.
  let km = findDays(days, 0, 1, 0, album);
  km = findDays(days, 1, 4, km, album);
  labelDays(days);
  assert.equal(km, 3);
  assert.deepEqual(days.map((d) => [d.from, d.to, d.key, d.label]), [
    [0, 1, '20240103', 'Day 1 \u00b7 Wed 3 Jan 2024 \u00b7 1 photo'],
    [1, 2, '20240101', 'Day 2 \u00b7 Mon 1 Jan 2024 \u00b7 1 photo'],
    [2, 4, '20231231', 'Day 3 \u00b7 Sun 31 Dec 2023 \u00b7 2 photos'],
  ]);
  assert.deepEqual([...dayOf], [2, 2, 1, 0]);
  assert.notEqual(days[0].colour, days[1].colour);
  const oneYear = days.slice(1, 2);
  labelDays(oneYear);
  assert.equal(oneYear[0].label, 'Day 2 \u00b7 Mon 1 Jan \u00b7 1 photo');
});
