// The album page's modules (templates/page/), the scripts that build and measure it, and the
// tests of it: `npx eslint` (ctest page_lint).
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['build*/**', 'node_modules/**'] },
  js.configs.recommended,
  {
    files: ['templates/page/**/*.js'],
    languageOptions: {
      ecmaVersion: 2022, sourceType: 'module',
      // Leaflet, inlined into the page before its script.
      globals: { ...globals.browser, L: 'readonly' },
    },
  },
  {
    files: ['templates/page/cluster_worker.js'],
    languageOptions: { globals: { ...globals.worker } },
  },
  {
    files: ['scripts/**/*.mjs', 'bench/**/*.mjs', 'tests/**/*.mjs', 'eslint.config.mjs'],
    languageOptions: { ecmaVersion: 2024, sourceType: 'module', globals: { ...globals.node } },
  },
  {
    // Functions they hand the browser to run in the page.
    files: ['tests/templates/**/*.mjs', 'bench/**/*.mjs', 'scripts/album_*.mjs'],
    languageOptions: { globals: { ...globals.browser } },
  },
  {
    rules: {
      'no-undef': 'error',
      'no-redeclare': 'error',
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
      // The page and the inliner test for characters below a space on purpose.
      'no-control-regex': 'off',
      // A long step lets go of what it no longer needs before it waits (x = null).
      'no-useless-assignment': 'off',
    },
  },
];
