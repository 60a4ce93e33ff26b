// The days of the walk: a day holds the dated photos of one calendar date, which stand
// together in the walk (time order).
import { MONTHS, formatNumber, plural, weekday } from './formats.js';

// Day colours: distinct on streets, satellite and the plain background alike.
export var DAY_COLOURS = ['#d7263d', '#1f6feb', '#1e8a3c', '#8e3fc7', '#d46a00', '#00838f', '#b0186a',
  '#5b6b12'];

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
