// Makes album pages for the browser tests and the page-load benchmark, and opens them in
// headless Chromium.
//
// A page is made from rows (name, dateTime, lat, lng) in the order the photos were picked.
// With TRAILBOOK_MAKE_TEST_ALBUM set to the make_test_album tool, the program's own writer
// makes it (ordering, separation, template filling, UTF-8 file); otherwise writeAlbumPage
// below does the same steps in JavaScript.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, '../..');

export const CHROMIUM = process.env.TRAILBOOK_CHROMIUM || '/usr/bin/chromium';

export function templatePath() {
  const file = process.env.TRAILBOOK_TEMPLATE ||
    path.join(repo, 'build', 'bin', 'templates', 'template.html');
  if (!fs.existsSync(file)) {
    throw new Error(`album template ${file} not found: build the album_template target ` +
      'or set TRAILBOOK_TEMPLATE');
  }
  return file;
}

export function tempDir(prefix = 'trailbook-page-') {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// ---- The page writer's steps, in JavaScript -------------------------------------------------

// Escapes a text for a JavaScript double-quoted string inside an HTML script element.
export function escapeJsString(text) {
  return text.replace(/[\\"<\u0000-\u001f\u007f\u2028\u2029]/g, (c) => {
    if (c === '\\') return '\\\\';
    if (c === '"') return '\\"';
    return '\\u' + c.charCodeAt(0).toString(16).padStart(4, '0');
  });
}

function compareBytes(a, b) {
  return Buffer.compare(Buffer.from(a, 'utf8'), Buffer.from(b, 'utf8'));
}

function fiveDecimals(value) {
  const text = value.toFixed(5);
  return text === '-0.00000' ? '0.00000' : text;
}

// Rows in album order with their short (five-decimal) positions moved apart where photos
// share one: the second of a group one step east, the third two steps north, and so on.
export function orderAndSeparate(rows) {
  const table = rows
    .map((row) => ({ ...row, latShort: fiveDecimals(+row.lat), lngShort: fiveDecimals(+row.lng) }))
    .sort((a, b) => compareBytes(a.dateTime, b.dateTime));
  const STEP = 0.00002;
  for (let pass = 0; pass < 5; pass++) {
    const groups = new Map();
    table.forEach((row, i) => {
      const key = `${row.latShort},${row.lngShort}`;
      if (!groups.has(key)) groups.set(key, []);
      groups.get(key).push(i);
    });
    let changed = false;
    for (const members of groups.values()) {
      for (let k = 1; k < members.length; k++) {
        const row = table[members[k]];
        if (k % 2 === 1) row.lngShort = fiveDecimals(parseFloat(row.lngShort) + k * STEP);
        else row.latShort = fiveDecimals(parseFloat(row.latShort) + k * STEP);
        changed = true;
      }
    }
    if (!changed) break;
  }
  return table;
}

// Fills the five placeholders in one pass: inserted text is never searched again.
export function fillTemplate(template, table) {
  const lists = {
    '{vorn_lat_long_photo_1}': table.length ? `${table[0].latShort},${table[0].lngShort}` : '',
    '{vorn_filenames}': table.map((r) => `"${escapeJsString(r.name)}"`).join(','),
    '{vorn_datetimes}': table.map((r) => `"${escapeJsString(r.dateTime)}"`).join(','),
    '{vorn_latlngs}': table.map((r) => `[${r.lat},${r.lng}]`).join(','),
    '{vorn_latlngs_short}': table.map((r) => `[${r.latShort},${r.lngShort}]`).join(','),
    // No track: both track lists stay empty, as the album writer leaves them.
    '{vorn_track}': '',
    '{vorn_position_sources}': '',
  };
  const pattern = new RegExp(Object.keys(lists).map((k) => k.replace(/[{}]/g, '\\$&')).join('|'), 'g');
  return template.replace(pattern, (placeholder) => lists[placeholder]);
}

function writeAlbumPageJs(template, rows, pagePath) {
  const text = fillTemplate(fs.readFileSync(template, 'utf8').replace(/^\ufeff/, ''),
    orderAndSeparate(rows));
  const lines = text.split(/\r\n|\r|\n/);
  fs.writeFileSync(pagePath, '\ufeff' + lines.join('\r\n'), 'utf8');
}

function writeAlbumPageCpp(tool, template, rows, pagePath) {
  const tsv = path.join(path.dirname(pagePath), `.rows-${path.basename(pagePath)}.tsv`);
  for (const row of rows) {
    if (/[\t\r\n]/.test(row.name + row.dateTime)) {
      throw new Error(`row ${JSON.stringify(row)} cannot be written as a TSV line`);
    }
  }
  fs.writeFileSync(tsv, rows.map((r) => [r.name, r.dateTime, r.lat, r.lng].join('\t')).join('\n') + '\n');
  execFileSync(tool, [template, tsv, pagePath], { stdio: ['ignore', 'ignore', 'inherit'] });
  fs.unlinkSync(tsv);
}

// Writes the album page of `rows` at `pagePath`; returns which writer made it.
export function writeAlbumPage(rows, pagePath, { template = templatePath(),
  tool = process.env.TRAILBOOK_MAKE_TEST_ALBUM } = {}) {
  if (tool) {
    writeAlbumPageCpp(tool, template, rows, pagePath);
    return 'make_test_album';
  }
  writeAlbumPageJs(template, rows, pagePath);
  return 'javascript';
}

// ---- Headless Chromium ----------------------------------------------------------------------

// Without the address bar's popup pages: headless Chromium loads them in every new window (each
// test's or benchmark run's context), which takes a processor for about a second while the
// album page loads.
export async function launchChromium() {
  const { chromium } = await import('playwright-core');
  return chromium.launch({
    executablePath: CHROMIUM,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-features=WebUIOmniboxPopup,WebUIOmniboxAimPopup'],
  });
}

// Writes a small JPEG for every name into `dir`, drawn by the browser, so that thumbnails
// have something to show.
export async function writePhotos(browser, dir, names) {
  const page = await browser.newPage();
  const images = await page.evaluate(async (list) => {
    const canvas = document.createElement('canvas');
    canvas.width = 320;
    canvas.height = 240;
    const g = canvas.getContext('2d');
    return list.map((name, i) => {
      const hue = (i * 67) % 360;
      const gradient = g.createLinearGradient(0, 0, 320, 240);
      gradient.addColorStop(0, `hsl(${hue}, 65%, 62%)`);
      gradient.addColorStop(1, `hsl(${(hue + 40) % 360}, 55%, 38%)`);
      g.fillStyle = gradient;
      g.fillRect(0, 0, 320, 240);
      g.fillStyle = 'rgba(255,255,255,.9)';
      g.font = 'bold 64px sans-serif';
      g.textAlign = 'center';
      g.fillText(String(i + 1), 160, 140);
      return canvas.toDataURL('image/jpeg', 0.8).split(',')[1];
    });
  }, names);
  await page.close();
  names.forEach((name, i) => fs.writeFileSync(path.join(dir, name), Buffer.from(images[i], 'base64')));
}

// One small JPEG under every name in `dir`, as links to a single file: enough for large albums
// whose photos only need to load.
export async function linkPhotos(browser, dir, names) {
  const model = path.join(dir, '.photo-model.jpg');
  await writePhotos(browser, dir, [path.basename(model)]);
  names.forEach((name, i) => {
    // A file system allows some tens of thousands of links to one file: a fresh copy now and then.
    const source = i < 50000 ? model : `${model}.${Math.floor(i / 50000)}`;
    if (i >= 50000 && i % 50000 === 0) fs.copyFileSync(model, source);
    fs.linkSync(source, path.join(dir, name));
  });
  for (let k = 0; k * 50000 < names.length; k++) fs.rmSync(k ? `${model}.${k}` : model);
}

// Hosts of the page's own tile layers, read from the page.
async function tileHosts(page) {
  return page.evaluate(() => (window.album && window.album.tileLayers || [])
    .map((layer) => new URL(layer._url.replace(/\{s\}/g, 'a').replace(/\{[a-z]+\}/g, '0')).hostname
      .replace(/^a\./, '')));
}

// Opens an album page from disk and waits until its markers are on the map. Collects what the
// console and the network report; `problems()` gives every error except failed requests for
// map tiles (this machine has no network), so a broken page or a missing photo still shows.
// With `touch`, the page is opened as on a phone: a touch screen and a mobile viewport.
export async function openAlbum(browser, pagePath, { viewport = { width: 1200, height: 800 },
  locale = 'en-US', touch = false, beforeLoad } = {}) {
  const context = await browser.newContext({ viewport, locale, hasTouch: touch, isMobile: touch });
  const page = await context.newPage();
  const events = { console: [], pageErrors: [], failedRequests: [] };
  page.on('console', (m) => events.console.push({ type: m.type(), text: m.text(), url: m.location().url }));
  page.on('pageerror', (e) => events.pageErrors.push(String(e && e.stack || e)));
  page.on('requestfailed', (r) => events.failedRequests.push({ url: r.url(), error: r.failure()?.errorText }));
  if (beforeLoad) await beforeLoad(page, context);
  await page.goto(pathToFileURL(pagePath).href);
  await waitUntilReady(page);
  const hosts = await tileHosts(page);
  const isTile = (url) => {
    try {
      const u = new URL(url);
      return u.protocol === 'https:' && hosts.some((h) => u.hostname === h || u.hostname.endsWith('.' + h));
    } catch {
      return false;
    }
  };
  const problems = () => [
    ...events.pageErrors.map((e) => `page error: ${e}`),
    ...events.console
      .filter((m) => m.type === 'error' || m.type === 'warning')
      .filter((m) => !(m.type === 'error' && /^Failed to load resource: net::ERR_/.test(m.text) && isTile(m.url)))
      .map((m) => `console ${m.type}: ${m.text} (${m.url})`),
    ...events.failedRequests.filter((r) => !isTile(r.url)).map((r) => `request failed: ${r.url} ${r.error}`),
  ];
  return { page, context, events, problems, isTile };
}

// Waits for the page's "albumready" in the page's own world, without Playwright's helper
// script: injected while the page sets itself up, the helper takes the page's thread for tens
// of milliseconds, which the load benchmark would count as the page's own.
export async function waitUntilReady(page, timeoutMs = 120000) {
  const cdp = await page.context().newCDPSession(page);
  let timer;
  try {
    await Promise.race([
      cdp.send('Runtime.evaluate', { expression: WHEN_READY, awaitPromise: true }),
      new Promise((resolve, reject) => {
        timer = setTimeout(() => reject(new Error(`the album page was not ready after ${timeoutMs} ms`)), timeoutMs);
      }),
    ]);
  } finally {
    clearTimeout(timer);
    await cdp.detach().catch(() => {});
  }
}
const WHEN_READY = `new Promise((ready) => {
  if (document.documentElement.getAttribute('data-album-ready') === 'true') ready();
  else document.addEventListener('albumready', () => ready(), { once: true });
})`;

// Fills the lists that only some writers fill into a written page: photo and preview
// addresses (functions of the photo's name), the number of photos without a position, the
// track (a list of pieces, or the text to put between the brackets) and the positions'
// sources (a function of the photo's name). A list the writer already filled is replaced.
export function fillOptionalLists(pagePath, { photoUrl, previewUrl, withoutPosition, unplaced, track, positionSource }) {
  let page = fs.readFileSync(pagePath, 'utf8');
  const names = JSON.parse(/<script type="application\/json" id="tb-names">(.*?)<\/script>/s.exec(page)[1]);
  const fill = (id, text) => {
    page = page.replace(new RegExp(`(<script type="application/json" id="${id}">\\[).*?(\\]</script>)`, 's'),
      (whole, start, end) => start + text + end);
  };
  const list = (f) => JSON.stringify(names.map(f)).slice(1, -1);
  if (photoUrl) fill('tb-photo-urls', list(photoUrl));
  if (previewUrl) fill('tb-preview-urls', list(previewUrl));
  if (withoutPosition !== undefined) fill('tb-without-position', String(withoutPosition));
  if (unplaced) fill('tb-unplaced-list', JSON.stringify(unplaced).slice(1, -1));
  if (track !== undefined) fill('tb-track', typeof track === 'string' ? track : JSON.stringify(track).slice(1, -1));
  if (positionSource) fill('tb-position-sources', list(positionSource));
  fs.writeFileSync(pagePath, page);
  return names;
}

// Any PNG serves as a map tile.
const TILE = fs.readFileSync(path.join(repo, 'node_modules/leaflet/dist/images/layers.png'));

// Opens an album page with its tile requests answered by `serve(url)`: true sends a tile,
// false fails the request as an unreachable server does. `requests` lists what was asked.
export async function openAlbumWithTiles(browser, pagePath, serve, viewport = undefined) {
  const requests = [];
  const view = await openAlbum(browser, pagePath, {
    viewport,
    beforeLoad: (page) => page.route((url) => url.protocol === 'https:', (route) => {
      const request = route.request();
      requests.push({ url: request.url(), referer: request.headers().referer });
      return serve(request.url())
        ? route.fulfill({ status: 200, contentType: 'image/png', body: TILE })
        : route.abort('namenotresolved');
    }),
  });
  return { ...view, requests };
}

// What the map shows: single photo markers and the photo counts of the visible clusters.
export async function visibleMarkers(page) {
  return page.evaluate(() => {
    const inView = (el) => {
      const r = el.getBoundingClientRect();
      const m = document.getElementById('map').getBoundingClientRect();
      return r.right > m.left && r.left < m.right && r.bottom > m.top && r.top < m.bottom;
    };
    const singles = [...document.querySelectorAll('.leaflet-marker-pane .tb-photo-marker')].filter(inView);
    const clusters = [...document.querySelectorAll('.leaflet-marker-pane .tb-cluster')].filter(inView);
    const counts = clusters.map((c) => Number(c.querySelector('[data-count]').getAttribute('data-count')));
    return { singles: singles.length, clusters: counts.length,
      inClusters: counts.reduce((a, b) => a + b, 0) };
  });
}

// The trail as drawn: its lines (by day colour), each a list of [lat, lng].
export async function trailPoints(page) {
  return page.evaluate(() => window.album.trail.getLayers().flatMap((line) => line.getLatLngs())
    .map((part) => part.map((p) => [p.lat, p.lng])));
}

// The photos of the start and end markers on screen, by name (null: none shown).
export async function endMarkers(page) {
  return page.evaluate(() => {
    const name = (selector) => {
      const icon = document.querySelector(`.leaflet-marker-pane ${selector}`);
      return icon ? window.album.photos[icon.dataset.index].name : null;
    };
    return { start: name('.tb-first'), end: name('.tb-last') };
  });
}

export function fileUrl(file) {
  return pathToFileURL(file).href;
}

// Waits until the map stands still: no zoom or pan animation under way, and
// the markers on screen unchanged over a few polls.
export async function settle(page) {
  await page.evaluate(() => { window.__settle = { last: '', still: 0 }; });
  await page.waitForFunction(() => {
    const { map } = window.album;
    const moving = map._animatingZoom || (map._panAnim && map._panAnim._inProgress);
    // The markers, an open popup and the map's own place must all stand still: a popup's
    // automatic pan may start a moment after the markers have settled.
    const icons = [...document.querySelectorAll(
      '.leaflet-marker-pane .leaflet-marker-icon, .leaflet-popup, .leaflet-map-pane')]
      .map((e) => {
        const r = e.getBoundingClientRect();
        return `${Math.round(r.left)},${Math.round(r.top)},${getComputedStyle(e).opacity}`;
      }).join(';');
    const state = window.__settle;
    state.still = !moving && icons === state.last ? state.still + 1 : 0;
    state.last = icons;
    return state.still >= 3;
  }, null, { polling: 100, timeout: 30000 });
}
