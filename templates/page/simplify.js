// The trail's simplification to the zoom shown: the parts of a line in and near the view,
// one point per square of the view's `cell`.

// Adds to `lines` the lines to draw of the points `first` to `end` - 1, whose Web Mercator
// coordinates are x[w], y[w], in `view` ({ x0, y0, x1, y1, cell, wholeWorld }): lists of
// pointAt(w) of the points kept. A line keeps its last point and its first point outside the
// view, so it leaves the view where it should.
export function simplifiedLines(x, y, first, end, view, pointAt, lines) {
  var x0 = view.x0, y0 = view.y0, x1 = view.x1, y1 = view.y1, cell = view.cell, wholeWorld = view.wholeWorld;
  var line = [], lastCellX = NaN, lastCellY = NaN;
  function flush() {
    if (line.length > 1) lines.push(line);
    line = [];
    lastCellX = lastCellY = NaN;
  }
  for (var w = first; w < end; w++) {
    var px = x[w], py = y[w];
    var inView = wholeWorld || (px >= x0 && px <= x1 && py >= y0 && py <= y1);
    var prevIn = w > first && (wholeWorld || (x[w - 1] >= x0 && x[w - 1] <= x1 &&
      y[w - 1] >= y0 && y[w - 1] <= y1));
    if (!inView && !prevIn) { flush(); continue; }
    if (!line.length && prevIn && w > first) line.push(pointAt(w - 1));
    var cx = Math.floor(px / cell), cy = Math.floor(py / cell);
    if (cx !== lastCellX || cy !== lastCellY || w === end - 1 || !inView) {
      line.push(pointAt(w));
      lastCellX = cx;
      lastCellY = cy;
    }
  }
  flush();
  return lines;
}
