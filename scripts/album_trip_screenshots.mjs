#!/usr/bin/env node
// The README's pictures of a trip's album page, desktop and phone, taken offline like
// album_page_screenshot.mjs: the sample walk's two days, the trail coloured by day and one photo
// of the second day open (the notice about the missing tiles dismissed).
//
// Usage: node scripts/album_trip_screenshots.mjs PAGE.html DESKTOP.png PHONE.png
import { launchChromium, openAlbumWithTiles, settle } from '../tests/templates/album_pages.mjs';

const [page, desktop, phone] = process.argv.slice(2);
if (!page || !desktop || !phone) {
  console.error('usage: album_trip_screenshots.mjs PAGE.html DESKTOP.png PHONE.png');
  process.exit(2);
}
const browser = await launchChromium();
try {
  for (const [output, viewport] of [[desktop, { width: 1280, height: 800 }], [phone, { width: 390, height: 844 }]]) {
    const view = await openAlbumWithTiles(browser, page, () => false);
    const { page: tab } = view;
    await tab.setViewportSize(viewport);
    await tab.waitForFunction(() => window.album.map.hasLayer(window.album.offlineMap));
    await tab.click('#tb-notice-close');
    await tab.click('#tb-fit');
    await settle(tab);
    // The second day's third photo, in the popup.
    const name = await tab.evaluate(() => {
      const { album } = window;
      const index = album.walk.filter((i) => album.photos[i].day === 1)[2];
      album.openPhoto(index, false);
      return album.photos[index].name;
    });
    await tab.waitForFunction((n) => document.querySelector('.leaflet-popup .tb-name')?.textContent === n, name);
    await tab.waitForFunction(() => document.querySelector('.leaflet-popup img').complete);
    await settle(tab);
    await tab.waitForFunction(() => !window.album.offlineMap.isLoading());
    await tab.screenshot({ path: output });
    await view.context.close();
  }
} finally {
  await browser.close();
}
