// The days of the walk: a day holds the dated photos of one calendar date, which stand
// together in the walk (time order).
import { MONTHS, formatNumber, plural, weekday } from './formats.js';

// Day colours: distinct from each other on streets, satellite and the plain background alike,
// and apart from the markers' own colours (the green start, the red end, the slate photos and
// clusters, the amber of the photo shown), so that a day's line is never taken for a pin.
export var DAY_COLOURS = ['#1f6feb', '#c2187a', '#00a3a3', '#8e3fc7', '#7a8a00', '#e75aa8', '#5f6bd6',
  '#b8860b'];

// Adds to `days` the days of the walk places from `from` to `to`, going on from the days
// found before, and sets each photo's day (album.dayOf[index]); gives `km` plus the distance
// along them. `album`: { walk, keys (date keys by photo, YYYYMMDDhhmmss), dayOf, parsedOf(index),
// legKm(a, b) between two walk places }.
export function findDays(days, from, to, km, album) {
  var walk = album.walk, keys = album.keys, dayOf = album.dayOf;
  var last = days.length ? days[days.length - 1] : null;
  for (var w = from; w < to; w++) {
    var index = walk[w], dayNumber = Math.floor(keys[index] / 1e6);
    if (!last || last.dayNumber !== dayNumber) {
      var parsed = album.parsedOf(index);
      last = { number: days.length + 1, key: parsed.key.slice(0, 8), dayNumber: dayNumber, parsed: parsed,
        from: w, to: w, colour: DAY_COLOURS[days.length % DAY_COLOURS.length] };
      days.push(last);
    }
    last.to = w + 1;
    dayOf[index] = days.length - 1;
    if (w > 0) km += album.legKm(w - 1, w);
  }
  return km;
}

// Gives each day its label ("Day 2 \u00b7 Tue 4 Jun \u00b7 3 photos"), with the year when
// the days span more than one.
export function labelDays(days) {
  var manyYears = days.length > 0 && days[0].key.slice(0, 4) !== days[days.length - 1].key.slice(0, 4);
  days.forEach(function (day) {
    var p = day.parsed, n = day.to - day.from;
    day.label = 'Day ' + formatNumber(day.number) + ' \u00b7 ' + weekday(p) + ' ' + p.day + ' ' +
      MONTHS[p.month - 1] + (manyYears ? ' ' + p.year : '') + ' \u00b7 ' + plural(n, 'photo', 'photos');
  });
}
