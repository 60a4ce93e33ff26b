// The clustering index's worker, bundled on its own: the page starts it from this bundle's
// text (see clusters.js), so it needs no file beside the page.
import Supercluster from 'supercluster';

import { serveIndex } from './cluster_index.js';
import { readPositions } from './lists.js';

// The worker's first step. The browser loads a locale's number formats once for all its
// threads, and making the first formatter costs tens of milliseconds: made here, while the
// browser still reads the page, it costs the page nothing when it groups its first count.
try {
  new Intl.NumberFormat().format(1);
} catch (e) {
  // Only time was to be gained.
}

serveIndex(self, Supercluster, readPositions);
