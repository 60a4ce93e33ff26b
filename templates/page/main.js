// The album page's script: its setup, step by step (see tasks.js), once the browser has read
// the page. The clustering index's worker starts at once, while the browser still reads the
// photo lists.
import { setUpBaseMap } from './basemap.js';
import { startEarlyWorker } from './clusters.js';
import { setUpDays } from './days.js';
import { byId, setUpNotice, showEmpty } from './dom.js';
import { setUpGallery } from './gallery.js';
import { setUpLinks } from './links.js';
import { createMap, map, mapElement, showFirstView } from './map.js';
import { photoLayer, setUpMarkers, showMarkers, watchPlacing } from './markers.js';
import { findAllDays, readLists, showSummary, total } from './photos.js';
import { setUpPopup } from './popup.js';
import { setUpStrip } from './strip.js';
import { markReady, pause, startSlice } from './tasks.js';
import { exposeFormats, startAlbum, timing } from './test_hooks.js';
import { makeTrail, projectTrail, refreshTrail, trail } from './trail.js';
import { setUpViewer } from './viewer.js';

async function setUp() {
  startAlbum();
  startSlice();
  setUpNotice();
  if (!(await readLists())) {
    // The template itself, opened before the photo lists were written into it.
    byId('tb-count').textContent = 'No photo list';
    showEmpty('This page is an album template without photos.');
    markReady();
    return;
  }
  await findAllDays();
  await showSummary();

  createMap();
  if (total === 0) {
    map.setView([20, 0], 2);
    mapElement.classList.add('tb-no-tiles');
    byId('tb-strip').hidden = true;
    showEmpty('This album holds no photo with a position.');
    markReady();
    return;
  }
  showFirstView();
  await pause();

  await projectTrail();
  makeTrail();
  await pause();
  // On the map once it has its lines: its canvas is drawn once, not empty first.
  refreshTrail();
  await pause();
  trail.addTo(map);
  timing('trail');
  await pause();

  setUpMarkers();
  timing('markers');
  setUpBaseMap({ 'Photos': photoLayer, 'Trail': trail });
  watchPlacing();
  await pause();
  setUpPopup();
  await pause();
  setUpGallery();
  await pause();
  setUpStrip();
  await pause();
  setUpViewer();
  await pause();
  setUpDays();
  setUpLinks();
  exposeFormats();
  timing('script');
  showMarkers();
}

startEarlyWorker();
if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', setUp);
else setUp();
