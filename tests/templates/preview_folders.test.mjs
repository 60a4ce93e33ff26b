// An album from three folders written by trailbook-album itself: the photos beside the page, in
// a folder beside the page's folder and in one below it, with one name in all three and names
// with spaces, non-ASCII letters, '%' and '#'. Every popup shows the photo's own preview, the
// viewer its original, and with the folder of previews deleted the page shows the originals.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { launchChromium, openAlbum, tempDir, templatePath } from './album_pages.mjs';

const ALBUM_TOOL = process.env.TRAILBOOK_ALBUM;
const FOLDERS = ['Tag 1 ü', 'Tag 2 #2', 'Tag 1 ü/Abend'];  // the page goes into the first
// Each photo has its own width and height, so that its preview's shape tells it apart.
const PHOTOS = [
  { folder: 0, name: 'IMG 0001.jpg', width: 800, height: 600 },
  { folder: 1, name: 'IMG 0001.jpg', width: 600, height: 800 },
  { folder: 2, name: 'IMG 0001.jpg', width: 900, height: 300 },
  { folder: 0, name: 'Café ø.jpg', width: 700, height: 500 },
  { folder: 1, name: '50% #1.jpg', width: 300, height: 200 },
  { folder: 2, name: 'Straße.jpg', width: 500, height: 700 },
].map((photo, i) => ({ ...photo, dateTime: `2024:05:18 10:${String(10 + i).padStart(2, '0')}:00`,
  lat: 46.35 + 0.001 * i, lng: 14.08 + 0.0015 * i }));

// An EXIF APP1 segment (little-endian) with a GPS position and DateTimeOriginal.
function exifSegment({ dateTime, lat, lng }) {
  const tiff = Buffer.alloc(178);
  const entry = (at, tag, type, count, value) => {
    tiff.writeUInt16LE(tag, at);
    tiff.writeUInt16LE(type, at + 2);
    tiff.writeUInt32LE(count, at + 4);
    if (typeof value === 'string') tiff.write(value, at + 8, 'latin1');
    else tiff.writeUInt32LE(value, at + 8);
  };
  const ASCII = 2, LONG = 4, RATIONAL = 5;
  tiff.write('II*\0', 0, 'latin1');
  tiff.writeUInt32LE(8, 4);
  tiff.writeUInt16LE(2, 8);  // IFD0: the Exif and GPS directories
  entry(10, 0x8769, LONG, 1, 38);
  entry(22, 0x8825, LONG, 1, 76);
  tiff.writeUInt16LE(1, 38);  // Exif: DateTimeOriginal
  entry(40, 0x9003, ASCII, 20, 56);
  tiff.write(`${dateTime}\0`, 56, 'latin1');
  tiff.writeUInt16LE(4, 76);  // GPS: N latitude, E longitude as degrees, minutes, seconds
  entry(78, 1, ASCII, 2, 'N\0');
  entry(90, 2, RATIONAL, 3, 130);
  entry(102, 3, ASCII, 2, 'E\0');
  entry(114, 4, RATIONAL, 3, 154);
  [[lat, 130], [lng, 154]].forEach(([degrees, at]) => {
    const minutes = (degrees % 1) * 60;
    const parts = [[Math.floor(degrees), 1], [Math.floor(minutes), 1],
      [Math.round((minutes % 1) * 60 * 1000), 1000]];
    parts.forEach(([n, d], k) => { tiff.writeUInt32LE(n, at + 8 * k); tiff.writeUInt32LE(d, at + 8 * k + 4); });
  });
  const head = Buffer.from([0xff, 0xe1, 0, 0, ...Buffer.from('Exif\0\0', 'latin1')]);
  head.writeUInt16BE(2 + 6 + tiff.length, 2);
  return Buffer.concat([head, tiff]);
}

// The photos as JPEGs drawn by the browser, each with its EXIF segment in place of JFIF's.
async function writePhotos(browser, root) {
  const page = await browser.newPage();
  const images = await page.evaluate((sizes) => sizes.map(([width, height], i) => {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const g = canvas.getContext('2d');
    g.fillStyle = `hsl(${i * 60}, 60%, 50%)`;
    g.fillRect(0, 0, width, height);
    return canvas.toDataURL('image/jpeg', 0.8).split(',')[1];
  }), PHOTOS.map((p) => [p.width, p.height]));
  await page.close();
  for (const folder of FOLDERS) fs.mkdirSync(path.join(root, folder), { recursive: true });
  PHOTOS.forEach((photo, i) => {
    const jpeg = Buffer.from(images[i], 'base64');
    const app0 = jpeg[2] === 0xff && jpeg[3] === 0xe0 ? 2 + jpeg.readUInt16BE(4) : 0;
    fs.writeFileSync(path.join(root, FOLDERS[photo.folder], photo.name),
      Buffer.concat([jpeg.subarray(0, 2), exifSegment(photo), jpeg.subarray(2 + app0)]));
  });
}

// What a popup and the viewer show of the album's photo `index`, once their images are done.
async function popupAndViewer(page, index) {
  await page.evaluate((i) => window.album.openPhoto(i), index);
  const popupImg = '.leaflet-popup img';
  await page.waitForFunction((i) => {
    const figure = document.querySelector('.leaflet-popup .tb-photo');
    const img = document.querySelector('.leaflet-popup img');
    return figure && figure.getAttribute('aria-label') === window.album.photos[i].name &&
      (img.naturalWidth > 0 || figure.classList.contains('tb-missing'));
  }, index);
  const popup = await page.$eval(popupImg, (img) =>
    ({ src: img.getAttribute('src'), width: img.naturalWidth, height: img.naturalHeight }));
  await page.click('.leaflet-popup .tb-thumb');
  await page.waitForFunction(() => {
    const img = document.getElementById('tb-viewer-img');
    return !document.getElementById('tb-viewer').hidden && img.complete && img.getAttribute('src');
  });
  const viewer = await page.$eval('#tb-viewer-img', (img) =>
    ({ src: img.getAttribute('src'), width: img.naturalWidth, height: img.naturalHeight }));
  await page.keyboard.press('Escape');
  await page.waitForSelector('#tb-viewer', { state: 'hidden' });
  return { popup, viewer };
}

// The table's photo behind an original's address relative to the page.
function photoAt(root, url) {
  const file = path.resolve(path.join(root, FOLDERS[0]), decodeURIComponent(url));
  return PHOTOS.find((p) => path.join(root, FOLDERS[p.folder], p.name) === file);
}

let browser, root, pagePath;
before(async () => {
  browser = await launchChromium();
  root = tempDir();
  if (!ALBUM_TOOL) return;
  await writePhotos(browser, root);
  const output = execFileSync(ALBUM_TOOL, ['--template', templatePath(),
    ...FOLDERS.map((f) => path.join(root, f))], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  pagePath = output.trim().split('\n').at(-1);
});
after(async () => {
  await browser?.close();
  if (root) fs.rmSync(root, { recursive: true, force: true });
});

describe('an album from three folders', { skip: !ALBUM_TOOL && 'TRAILBOOK_ALBUM is not set' }, () => {
  const CASES = [
    { title: 'every popup shows its own preview, and the viewer the original', previews: true },
    { title: 'without its folder of previews the page shows the originals', previews: false },
  ];
  for (const c of CASES) {
    test(c.title, async () => {
      assert.equal(path.dirname(pagePath), path.join(root, FOLDERS[0]));
      const previewFolder = pagePath.replace(/\.html$/, '_previews');
      assert.ok(fs.statSync(previewFolder).isDirectory());
      if (!c.previews) fs.rmSync(previewFolder, { recursive: true });
      const view = await openAlbum(browser, pagePath);
      try {
        const count = await view.page.evaluate(() => window.album.photos.length);
        assert.equal(count, PHOTOS.length);
        const seen = [];
        for (let i = 0; i < count; i++) {
          const { popup, viewer } = await popupAndViewer(view.page, i);
          const photo = photoAt(root, viewer.src);
          assert.ok(photo, `the viewer's ${viewer.src} is one of the photos`);
          assert.deepEqual([viewer.width, viewer.height], [photo.width, photo.height]);
          if (c.previews) {
            // A preview of the photo's own shape, its long side at most 320 pixels.
            assert.match(popup.src, /_previews\//);
            assert.equal(Math.max(popup.width, popup.height), Math.min(320, Math.max(photo.width, photo.height)));
            assert.ok(Math.abs(popup.width / popup.height - photo.width / photo.height) < 0.02, popup.src);
          } else {
            assert.deepEqual(popup, viewer);
          }
          seen.push([photo, popup.src]);
        }
        assert.equal(new Set(seen.map(([photo]) => photo)).size, PHOTOS.length, 'each photo once');
        assert.equal(new Set(seen.map(([, src]) => src)).size, PHOTOS.length, 'a picture of its own');
        // Without the folder, only the previews' own requests fail.
        const problems = view.problems()
          .filter((p) => c.previews || !(/ERR_FILE_NOT_FOUND/.test(p) && /_previews\//.test(p)));
        assert.deepEqual(problems, []);
      } finally {
        await view.context.close();
      }
    });
  }
});
