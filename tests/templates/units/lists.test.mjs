// The page's list readers, without a browser: what they give for lists of every form.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { parseDateTime, readPositions, stringsReader } from '../../../templates/page/lists.js';
import { STRING_CASES, readLikeThePage } from '../list_cases.mjs';

test('names and date-times read an entry at a time are read as at once, and as JSON reads them', () => {
  for (const [label, lists] of Object.entries(STRING_CASES)) {
    const texts = lists.map((text) => `[${text}]`);
    // Read an entry at a time, as the page reads a long list in slices: the same, and the
    // same way (scanned, or left to JSON.parse).
    const [stepwise, atOnce] = [1, Infinity].map((chars) => texts.map((text) => {
      const reader = stringsReader(text);
      while (!reader.step(chars));
      return reader.list && [reader.list.constructor.name, reader.list.array()];
    }));
    assert.deepEqual(stepwise, atOnce, label);
    assert.deepEqual(stepwise.map((read) => read && read[1]), texts.map(readLikeThePage), label);
  }
});

test('date-times: the camera form and ISO, real calendar dates only', () => {
  const CASES = [
    ['2024:06:01 10:20:30', '20240601102030'],
    [' 2024-06-01T10:20:30 ', '20240601102030'],
    ['2024:02:29 00:00:00', '20240229000000'],
    ['2023:02:29 00:00:00', null],
    ['1900:02:29 00:00:00', null],
    ['2000:02:29 23:59:59', '20000229235959'],
    ['2024:04:31 10:00:00', null],
    ['2024:06:01 24:00:00', null],
    ['0000:06:01 10:00:00', null],
    ['2024:06:01 10:00', null],
    ['', null],
  ];
  for (const [text, key] of CASES) assert.equal(parseDateTime(text)?.key ?? null, key, text);
  assert.deepEqual({ ...parseDateTime('2024:06:01 10:20:30') },
    { year: 2024, month: 6, day: 1, hour: 10, minute: 20, second: 30, key: '20240601102030' });
});

test('positions: numbers as JSON reads them, invalid pairs as NaN, other text not at all', () => {
  const CASES = [
    ['[[1.5,-2],[0,180]]', [[1.5, -2], [0, 180]]],
    ['[ [4.0e1 , 8E-0] ,\n[-0,0] ]', [[40, 8], [-0, 0]]],
    ['[[41.12345678901234567,9.000000000000000001]]', [[Number('41.12345678901234567'), 9]]],
    ['[[91,0],[1,2],null]', [[NaN, NaN], [1, 2], [NaN, NaN]]],
    ['[]', []],
    ['[[1,2],', null],
  ];
  for (const [text, pairs] of CASES) {
    const read = readPositions(text, 2);
    assert.deepEqual(read && Array.from(read.lat, (lat, i) => [lat, read.lng[i]]), pairs, text);
  }
});
