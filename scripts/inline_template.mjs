#!/usr/bin/env node
// Builds the installed album page template from templates/template.src.html: every
//   <!-- inline-css: PACKAGE/FILE.css -->   becomes <style>...</style>
//   <!-- inline-js: PACKAGE/FILE.js -->     becomes <script>...</script>
// with the file taken from node_modules, and the images a style sheet refers to embedded as
// data: URIs, so the page needs nothing beside itself but the photos (and the map tiles).
// Two more markers bring in the page's own script and the offline map's data:
//   <!-- inline-page-js: DIR/ENTRY.js -->   <script> with the ES modules of ENTRY.js (beside
//                                           SOURCE.html) bundled into one; the module
//                                           'cluster-worker-source' is the text of the bundle
//                                           of DIR/cluster_worker.js, the clustering worker's
//   <!-- inline-offline-map-data -->        <script type="application/json" id="tb-offline-map">
//                                           with the shapes and places of offline_map_data.mjs
//
// The page writer passes the template through the process code page, so the output is kept
// ASCII-only: any other character of a library is written as an escape.
//
// Usage: node scripts/inline_template.mjs SOURCE.html OUTPUT.html NODE_MODULES_DIR [UNDRAWN_KINDS.js]
//   UNDRAWN_KINDS.js: the module the build writes from the table of photo kinds, bundled in
//   place of page/undrawn_kinds.js
import fs from 'node:fs';
import path from 'node:path';

import * as esbuild from 'esbuild';

import { offlineMapData } from './offline_map_data.mjs';

const PLACEHOLDERS = [
  '{vorn_lat_long_photo_1}',
  '{vorn_filenames}',
  '{vorn_datetimes}',
  '{vorn_latlngs}',
  '{vorn_latlngs_short}',
  // Filled only by writers that know them; the page does without them.
  '{vorn_photo_urls}',
  '{vorn_preview_urls}',
  '{vorn_photos_without_position}',
  '{vorn_track}',
  '{vorn_position_sources}',
  '{vorn_unplaced}',
];

const MIME = { '.png': 'image/png', '.svg': 'image/svg+xml', '.gif': 'image/gif', '.jpg': 'image/jpeg' };

function fail(message) {
  process.stderr.write(`inline_template: ${message}\n`);
  process.exit(1);
}

function readLibrary(modulesDir, relative) {
  const file = path.join(modulesDir, relative);
  if (!fs.existsSync(file)) {
    fail(`${file} is missing. Run scripts/install-deps.sh (it runs "npm ci") and build again.`);
  }
  return { file, text: fs.readFileSync(file, 'utf8') };
}

// Non-ASCII characters as escapes of the language the text is in. In JavaScript \uXXXX
// means the same code unit in strings, regular expressions, identifiers and comments.
function asciiJs(text) {
  return text.replace(/[^\x00-\x7f]/g, (c) => '\\u' + c.charCodeAt(0).toString(16).padStart(4, '0'));
}
function asciiCss(text) {
  return text.replace(/[^\x00-\x7f]/gu, (c) => '\\' + c.codePointAt(0).toString(16) + ' ');
}

function stripSourceMap(text) {
  return text.replace(/^\s*\/[/*][#@]\s*sourceMappingURL=.*$/gm, '');
}

function inlineCss(modulesDir, relative) {
  const { file, text } = readLibrary(modulesDir, relative);
  const css = stripSourceMap(text).replace(/url\(\s*(['"]?)([^'")]+)\1\s*\)/g, (whole, quote, url) => {
    if (/^(data:|#|[a-z]+:\/\/)/i.test(url)) return whole;
    const image = path.resolve(path.dirname(file), url);
    const mime = MIME[path.extname(image).toLowerCase()];
    if (!mime || !fs.existsSync(image)) fail(`${relative} refers to ${url}, which cannot be embedded`);
    return `url("data:${mime};base64,${fs.readFileSync(image).toString('base64')}")`;
  });
  if (/<\/style/i.test(css)) fail(`${relative} contains "</style", which would end the style element`);
  return `<style>/* ${relative} */\n${asciiCss(css).trim()}\n</style>`;
}

// Inside a script element "</script" ends it and "<!--" changes how the rest is parsed.
function checkScript(text, relative) {
  if (/<\/script|<!--/i.test(text)) fail(`${relative} contains "</script" or "<!--"`);
  return text;
}

function inlineJs(modulesDir, relative) {
  const { text } = readLibrary(modulesDir, relative);
  const js = checkScript(stripSourceMap(text), relative);
  return `<script>/* ${relative} */\n${asciiJs(js).trim()}\n</script>`;
}

// Bundles one entry and what it imports (page modules and npm packages) into a script, strict
// as the modules are (the script itself would not be), with the modules named from the
// template's folder.
async function bundle(entry, modulesDir, options) {
  const result = await esbuild.build({
    entryPoints: [path.resolve(entry)], bundle: true, format: 'iife', write: false, charset: 'ascii',
    nodePaths: [modulesDir], logLevel: 'silent', legalComments: 'none', banner: { js: '"use strict";' },
    absWorkingDir: path.resolve(path.dirname(entry), '..'), ...options,
  }).catch((error) => fail(`${entry}: ${error.message}`));
  return result.outputFiles[0].text;
}

// A module of the page whose text the build writes (from the C++ tables) replaces the checked-in
// one of the same name, which stays its stand-in where the build cannot write it. The module
// keeps its name, so the bundle does not depend on where the build folder is.
function generatedModule(checkedIn, generated) {
  return {
    name: 'generated-module',
    setup(build) {
      build.onLoad({ filter: /undrawn_kinds\.js$/ }, (args) => (path.resolve(args.path) === path.resolve(checkedIn)
        ? { contents: fs.readFileSync(generated, 'utf8'), loader: 'js' }
        : undefined));
    },
  };
}

async function inlinePageJs(sourceDir, modulesDir, relative, undrawnKinds) {
  const entry = path.join(sourceDir, relative);
  if (!relative || !fs.existsSync(entry)) fail(`${entry} is missing beside the template`);
  const workerEntry = path.join(path.dirname(entry), 'cluster_worker.js');
  const worker = await bundle(workerEntry, modulesDir, { minify: true });
  const workerSource = {
    name: 'cluster-worker-source',
    setup(build) {
      build.onResolve({ filter: /^cluster-worker-source$/ }, () => ({ path: 'worker', namespace: 'worker-source' }));
      build.onLoad({ filter: /.*/, namespace: 'worker-source' },
        () => ({ contents: `export default ${JSON.stringify(worker)};`, loader: 'js' }));
    },
  };
  const plugins = [workerSource];
  if (undrawnKinds) plugins.push(generatedModule(path.join(path.dirname(entry), 'undrawn_kinds.js'), undrawnKinds));
  const js = checkScript(await bundle(entry, modulesDir, { plugins }), relative);
  return `<script>/* ${relative} */\n${asciiJs(js).trim()}\n</script>`;
}

// JSON keeps its meaning with \uXXXX escapes, so the same escaping keeps it ASCII.
function inlineOfflineMapData(modulesDir) {
  const json = checkScript(asciiJs(offlineMapData(modulesDir)), 'the offline map data');
  return `<script type="application/json" id="tb-offline-map">${json}</script>`;
}

async function main() {
  const [source, output, modulesDir, undrawnKinds] = process.argv.slice(2);
  if (!source || !output || !modulesDir) {
    fail('usage: inline_template.mjs SOURCE.html OUTPUT.html NODE_MODULES_DIR [UNDRAWN_KINDS.js]');
  }
  let page = fs.readFileSync(source, 'utf8');
  if (/[^\x00-\x7f]/.test(page)) {
    fail(`${source} must be ASCII; write other characters as HTML entities or \\u escapes`);
  }
  let inlined = 0;
  const makers = {
    css: (relative) => inlineCss(modulesDir, relative),
    js: (relative) => inlineJs(modulesDir, relative),
    'page-js': (relative) => inlinePageJs(path.dirname(source), modulesDir, relative, undrawnKinds),
    'offline-map-data': () => inlineOfflineMapData(modulesDir),
  };
  const markers = /<!--\s*inline-(css|js|page-js|offline-map-data):?\s*(\S*?)\s*-->/g;
  const made = [];
  for (const [whole, kind, relative] of page.matchAll(markers)) {
    if (!relative && kind !== 'offline-map-data') fail(`"${whole}" names no file`);
    const lib = await makers[kind](relative);
    if (lib.includes('{vorn_')) fail(`${relative || kind} contains a placeholder-like text "{vorn_"`);
    made.push(lib);
  }
  page = page.replace(markers, () => made[inlined++]);
  if (inlined === 0) fail(`${source} has no inline-css / inline-js marker`);
  for (const placeholder of PLACEHOLDERS) {
    const count = page.split(placeholder).length - 1;
    if (count !== 1) fail(`${source} must hold ${placeholder} exactly once, found ${count}`);
  }
  fs.mkdirSync(path.dirname(output), { recursive: true });
  // Written through a temporary file so a failed build never leaves half a template.
  const temporary = `${output}.tmp-${process.pid}`;
  fs.writeFileSync(temporary, page);
  fs.renameSync(temporary, output);
}

await main();
