// The base map: tile layers, the layer menu and the notice when tiles fail.
import { showNotice } from './dom.js';
import { map, mapElement, MAX_ZOOM, refitIfUntouched } from './map.js';
import { createOfflineMap } from './offline_basemap.js';
import { whenReady } from './tasks.js';
import { album } from './test_hooks.js';

// Map tile providers that serve pages opened from disk (file://), which send no Referer.
// In the order they are tried when the one in use fails.
var TILE_PROVIDERS = [
  {
    name: 'Streets (CARTO Voyager)', group: 'carto',
    url: 'https://{s}.basemaps.cartocdn.com/rastertiles/voyager/{z}/{x}/{y}{r}.png',
    subdomains: 'abcd', maxNativeZoom: 20,
    attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> ' +
      'contributors &copy; <a href="https://carto.com/attributions">CARTO</a>'
  },
  {
    name: 'Streets (Esri)', group: 'esri',
    url: 'https://server.arcgisonline.com/ArcGIS/rest/services/World_Street_Map/MapServer/tile/{z}/{y}/{x}',
    maxNativeZoom: 19,
    attribution: 'Tiles &copy; Esri &mdash; Source: Esri, DeLorme, NAVTEQ, USGS, Intermap, iPC, ' +
      'NRCAN, Esri Japan, METI, Esri China (Hong Kong), Esri (Thailand), TomTom, 2012'
  },
  {
    name: 'Topographic (OpenTopoMap)', group: 'opentopomap',
    url: 'https://{s}.tile.opentopomap.org/{z}/{x}/{y}.png',
    subdomains: 'abc', maxNativeZoom: 17,
    attribution: 'Map data: &copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> ' +
      'contributors, <a href="http://viewfinderpanoramas.org">SRTM</a> | Map style: &copy; ' +
      '<a href="https://opentopomap.org">OpenTopoMap</a> ' +
      '(<a href="https://creativecommons.org/licenses/by-sa/3.0/">CC-BY-SA</a>)'
  },
  {
    name: 'Satellite (Esri)', group: 'esri',
    url: 'https://server.arcgisonline.com/ArcGIS/rest/services/World_Imagery/MapServer/tile/{z}/{y}/{x}',
    maxNativeZoom: 19,
    attribution: 'Tiles &copy; Esri &mdash; Source: Esri, i-cubed, USDA, USGS, AEX, GeoEye, ' +
      'Getmapping, Aerogrid, IGN, IGP, UPR-EGP, and the GIS User Community'
  },
  {
    name: 'Light (CARTO Positron)', group: 'carto',
    url: 'https://{s}.basemaps.cartocdn.com/light_all/{z}/{x}/{y}{r}.png',
    subdomains: 'abcd', maxNativeZoom: 20,
    attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> ' +
      'contributors &copy; <a href="https://carto.com/attributions">CARTO</a>'
  }
];
// A layer that loaded no tile counts as failed after this many errors, or when it has
// loaded nothing for this long while it had tiles to load.
var FAILED_TILES = 4;
var TILE_TIMEOUT_MS = 15000;

// Adds the first provider's layer and the layer menu (with `overlays`) to the map; when a
// layer's tiles fail, the next provider takes over, and with none left the offline map is
// drawn until tiles load again.
export function setUpBaseMap(overlays) {
  var baseLayers = {};
  var tileLayers = TILE_PROVIDERS.map(function (provider) {
    var layer = L.tileLayer(provider.url, {
      attribution: provider.attribution, subdomains: provider.subdomains || 'abc',
      maxNativeZoom: provider.maxNativeZoom, maxZoom: MAX_ZOOM, crossOrigin: false
    });
    layer.provider = provider;
    layer.state = { loaded: 0, failed: 0, gaveUp: false, timer: 0 };
    baseLayers[provider.name] = layer;
    layer.on('add', function () {
      layer.state.loaded = 0;
      layer.state.failed = 0;
      armTimeout(layer);
    });
    layer.on('remove', function () { clearTimeout(layer.state.timer); });
    layer.on('tileload', function () {
      layer.state.loaded++;
      clearTimeout(layer.state.timer);
    });
    // Leaflet goes on using the layer's map after firing these events, so the layer is
    // taken off the map only once they are through; and only once the photos are placed,
    // so that without network the page does not try provider after provider meanwhile.
    function failLater() {
      whenReady(function () { setTimeout(function () { layerFailed(layer); }); });
    }
    layer.on('tileerror', function () {
      layer.state.failed++;
      if (layer.state.loaded === 0 && layer.state.failed >= FAILED_TILES) failLater();
    });
    layer.on('load', function () {
      // All tiles of the view settled; none of them loaded.
      if (layer.state.loaded === 0 && layer.state.failed > 0) failLater();
    });
    return layer;
  });
  album.tileLayers = tileLayers;
  var failedGroups = {};
  // Land, sea, borders and towns drawn from data inside the page, for when no tiles load.
  var offlineMap = album.offlineMap = createOfflineMap();
  baseLayers['Offline map'] = offlineMap;

  function armTimeout(layer) {
    clearTimeout(layer.state.timer);
    layer.state.timer = setTimeout(function () {
      if (map.hasLayer(layer) && layer.state.loaded === 0 && layer.isLoading()) {
        layerFailed(layer);
      }
    }, TILE_TIMEOUT_MS);
  }

  function layerFailed(layer) {
    if (layer.state.gaveUp || !map.hasLayer(layer)) return;
    layer.state.gaveUp = true;
    failedGroups[layer.provider.group] = true;
    var next = null;
    for (var k = 1; k <= tileLayers.length && !next; k++) {
      var candidate = tileLayers[(tileLayers.indexOf(layer) + k) % tileLayers.length];
      if (!candidate.state.gaveUp && !failedGroups[candidate.provider.group]) next = candidate;
    }
    map.removeLayer(layer);
    if (next) {
      showNotice('Map tiles from "' + layer.provider.name + '" could not be loaded; switched to "' +
        next.provider.name + '". Other maps are in the layer menu.', 20000);
      refitIfUntouched();
      map.addLayer(next);
    } else {
      // The offline map's drawing would hold up the photos': it comes once they are placed,
      // unless a map was chosen meanwhile.
      whenReady(function () {
        if (tileLayers.some(function (l) { return map.hasLayer(l); })) return;
        mapElement.classList.add('tb-no-tiles');
        map.addLayer(offlineMap);
        offlineMap.watchForTiles(tileLayers[0], tilesBack);
        showNotice('No map tiles could be loaded (offline?): showing the offline map of coasts, ' +
          'borders and towns.');
        // The notice stands over the map's bottom: the photos move above it.
        refitIfUntouched();
      });
    }
    album.tileLayer = next;
  }
  function tilesBack(layer) {
    failedGroups = {};
    tileLayers.forEach(function (l) { l.state.gaveUp = false; });
    map.removeLayer(offlineMap);
    mapElement.classList.remove('tb-no-tiles');
    map.addLayer(layer);
    album.tileLayer = layer;
    showNotice('Map tiles load again: showing "' + layer.provider.name + '".', 20000);
  }
  map.on('baselayerchange', function (e) {
    if (e.layer === offlineMap) {
      album.tileLayer = null;
      return;
    }
    // A layer chosen by hand is tried afresh.
    e.layer.state.gaveUp = false;
    delete failedGroups[e.layer.provider.group];
    mapElement.classList.remove('tb-no-tiles');
    album.tileLayer = e.layer;
  });

  album.layersControl = L.control.layers(baseLayers, overlays,
    { collapsed: true, position: 'topright' }).addTo(map);
  album.tileLayer = tileLayers[0];
  map.addLayer(tileLayers[0]);
}
