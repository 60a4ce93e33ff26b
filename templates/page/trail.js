// The trail, coloured by day, simplified to the zoom shown: the lines between the photos in
// time order, or the recorded track (track.js) on the days it covers.
import { DAY_COLOURS } from './day_groups.js';
import { mercatorX, mercatorY } from './geo.js';
import { map } from './map.js';
import { datedCount, days, recordedTrack, selection, trackedDay, walkLat, walkLng } from './photos.js';
import { simplifiedLines } from './simplify.js';
import { pause } from './tasks.js';
import { album } from './test_hooks.js';

// The trail keeps one point per square of this many pixels at the zoom shown.
var TRAIL_CELL_PX = 6;
// Web Mercator coordinates (0..1) of the dated photos by walk place, so that each redraw
// only compares numbers.
var trailX, trailY;
var trailLines;
export var trail = null;

export async function projectTrail() {
  trailX = new Float64Array(datedCount);
  trailY = new Float64Array(datedCount);
  for (var t = 0; t < datedCount; t++) {
    trailX[t] = mercatorX(walkLng[t]);
    trailY[t] = mercatorY(walkLat[t]);
    if (t % 20000 === 19999) await pause();
  }
}

export function makeTrail() {
  // Drawn as SVG: the lines are already few (see refreshTrail), and a canvas the size of the
  // map costs a browser that draws without a graphics processor tens of milliseconds in each
  // of the first frames it is shown in.
  var trailRenderer = L.svg({ padding: 0.1 });
  // The lines come simplified to the zoom shown and cut to the view (see refreshTrail), so the
  // map need not do either again.
  trailLines = DAY_COLOURS.map(function (colour) {
    return L.polyline([], {
      renderer: trailRenderer, color: colour, weight: 3, opacity: 0.9, lineJoin: 'round',
      smoothFactor: 0, noClip: true, interactive: false
    });
  });
  // Pieces of the track on days without photos have a colour of their own.
  if (recordedTrack) {
    trailLines.push(L.polyline([], { renderer: trailRenderer, color: '#5b6575', weight: 3, opacity: 0.9,
      lineJoin: 'round', smoothFactor: 0, noClip: true, interactive: false }));
  }
  trail = album.trail = L.featureGroup(trailLines);
}

function walkLatLng(w) { return L.latLng(walkLat[w], walkLng[w]); }

// The parts of the trail in and near the view, one point per few pixels: the overview stays
// readable, and zooming in brings back the detail.
export function refreshTrail() {
  var zoom = map.getZoom(), scale = 256 * Math.pow(2, zoom), cell = TRAIL_CELL_PX / scale;
  var view = map.getPixelBounds(), size = view.getSize();
  var box = { x0: (view.min.x - size.x) / scale, x1: (view.max.x + size.x) / scale,
    y0: (view.min.y - size.y) / scale, y1: (view.max.y + size.y) / scale, cell: cell };
  box.wholeWorld = box.x1 - box.x0 >= 1;
  var parts = DAY_COLOURS.map(function () { return []; });
  if (recordedTrack) parts = recordedTrack.lines(box, selection.day, DAY_COLOURS.length);
  var from = selection.from, to = selection.datedTo;
  days.forEach(function (day, d) {
    if (day.to <= from || day.from >= to || trackedDay[d]) return;
    // Each day's line starts at the day before's last photo, so the trail has no gaps.
    var first = Math.max(day.from - (selection.day < 0 ? 1 : 0), from);
    simplifiedLines(trailX, trailY, first, day.to, box, walkLatLng, parts[d % DAY_COLOURS.length]);
  });
  trailLines.forEach(function (line, c) { line.setLatLngs(parts[c]); });
}
