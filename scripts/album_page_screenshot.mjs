#!/usr/bin/env node
// The README's picture of an album page, taken offline: every map tile request fails, so the
// page shows its offline map, zoomed out until coasts and borders are in view.
//
// Usage: node scripts/album_page_screenshot.mjs PAGE.html OUTPUT.png [ZOOM]
import { launchChromium, openAlbumWithTiles, settle } from '../tests/templates/album_pages.mjs';

const [page, output, zoomText = '7'] = process.argv.slice(2);
if (!page || !output) {
  console.error('usage: album_page_screenshot.mjs PAGE.html OUTPUT.png [ZOOM]');
  process.exit(2);
}
const browser = await launchChromium();
try {
  const view = await openAlbumWithTiles(browser, page, () => false);
  await view.page.setViewportSize({ width: 1280, height: 800 });
  await view.page.waitForFunction(() => window.album.map.hasLayer(window.album.offlineMap));
  await view.page.evaluate((zoom) => {
    const { map, bounds } = window.album;
    map.setView(bounds.getCenter(), zoom, { animate: false });
  }, Number(zoomText));
  await settle(view.page);
  await view.page.waitForFunction(() => !window.album.offlineMap.isLoading());
  await view.page.screenshot({ path: output });
} finally {
  await browser.close();
}
