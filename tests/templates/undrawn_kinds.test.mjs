// The page's list of the photo file names browsers cannot draw: the module written from the table
// of photo kinds, and the checked-in module a cross build bundles in its place, judge every name
// as the table does (a name is undrawn when its last extension, in any letter case, is one the table
// marks so).
//   TRAILBOOK_PAGE_MODULE_TOOL      photo_formats_page_module, which prints the table's names
//   TRAILBOOK_UNDRAWN_KINDS_MODULE  the module it wrote
//   TRAILBOOK_PAGE_SOURCE           templates/page/undrawn_kinds.js, the checked-in stand-in
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

const table = execFileSync(process.env.TRAILBOOK_PAGE_MODULE_TOOL, ['--names'], { encoding: 'utf8' })
  .trim()
  .split('\n')
  .map((line) => line.split('\t'));
const undrawn = new Set(table.filter(([, view]) => view === 'undrawn').map(([extension]) => extension));

// Each name of the table in three letter cases, and names that only look like them.
const names = table.flatMap(([extension]) => {
  const capital = extension[0].toUpperCase() + extension.slice(1);
  return [extension, extension.toUpperCase(), capital].map((e) => `IMG_0001.${e}`)
    .concat([`IMG_0001.${extension}.txt`, `IMG_0001${extension}`, `IMG_0001.x${extension}`,
             `IMG_0001.${extension}x`, `${extension}/IMG_0001`]);
});

function expected(name) {
  const dot = name.lastIndexOf('.');
  return dot >= 0 && undrawn.has(name.slice(dot + 1).toLowerCase());
}

function checkAgainstTable(regex, source) {
  assert.ok(regex instanceof RegExp, `${source}: UNDRAWN_KINDS is no RegExp`);
  for (const name of names) {
    assert.equal(regex.test(name), expected(name), `${source} judges ${name} unlike the table`);
  }
}

test('the table has names of both kinds', () => {
  assert.ok(undrawn.size > 0 && undrawn.size < table.length, JSON.stringify(table));
});

test('the generated module judges every name as the table does', async () => {
  const module = process.env.TRAILBOOK_UNDRAWN_KINDS_MODULE;
  const { UNDRAWN_KINDS } = await import(pathToFileURL(module).href);
  checkAgainstTable(UNDRAWN_KINDS, module);
});

test('the checked-in module is the generated list, so that every build bundles the same page', async () => {
  const source = process.env.TRAILBOOK_PAGE_SOURCE;
  const found = fs.readFileSync(source, 'utf8')
    .match(/UNDRAWN_KINDS\s*=\s*\/((?:\\.|[^/\\\n])+)\/([a-z]*)/);
  assert.ok(found, `${source} defines no UNDRAWN_KINDS`);
  const checkedIn = new RegExp(found[1], found[2]);
  checkAgainstTable(checkedIn, source);
  const { UNDRAWN_KINDS } = await import(pathToFileURL(process.env.TRAILBOOK_UNDRAWN_KINDS_MODULE).href);
  assert.equal(String(checkedIn), String(UNDRAWN_KINDS), `${source} differs from the generated list`);
});
