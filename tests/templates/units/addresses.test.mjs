// Photo addresses and the page's own link, without a browser.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { hashText, parseHash, photoUrl } from '../../../templates/page/addresses.js';

test('a photo\'s address beside the page, from its name', () => {
  const NAMES = [
    ['a.jpg', 'a.jpg'], ['day 1/b#2.jpg', 'day%201/b%232.jpg'], ['caf\u00e9?.jpg', 'caf%C3%A9%3F.jpg'],
    ['half\ud800.jpg', 'half%EF%BF%BD.jpg'], ['../up/%20.jpg', '../up/%2520.jpg'],
  ];
  for (const [name, url] of NAMES) assert.equal(photoUrl(name), url, name);
});

test('the page\'s link names the day and the photo, and reads back what it wrote', () => {
  const LINKS = [
    [-1, undefined, ''], [0, undefined, '#day=1'], [-1, 'a b&c=d.jpg', '#photo=a%20b%26c%3Dd.jpg'],
    [4, 'x/\u5317.jpg', '#day=5&photo=x%2F%E5%8C%97.jpg'],
    [1, 'v.jpg', '#day=2&photo=v.jpg&view=1', true], [-1, undefined, '', true],
  ];
  for (const [day, photo, hash, inViewer] of LINKS) {
    assert.equal(hashText(day, photo, inViewer), hash);
    const fields = parseHash(hash);
    assert.deepEqual([fields.day, fields.photo, fields.view],
      [day >= 0 ? String(day + 1) : undefined, photo, inViewer && photo ? '1' : undefined]);
  }
  // A field that does not decode, and parts without a value, are left out.
  assert.deepEqual(parseHash('#photo=%E5%8C&day=2&junk'), { day: '2' });
  assert.deepEqual(parseHash('photo=%41'), { photo: 'A' });
});
