// Rows of a made-up long journey for large albums: a seeded random walk, mostly on foot with
// now and then a longer journey, bursts of photos at one spot, a few photos without a
// date-time, times increasing by minutes to hours.
export function walkRows(count, { seed = 1, start = [45.0, 5.0] } = {}) {
  let state = seed >>> 0 || 1;
  const random = () => {
    // xorshift32: the same rows for the same seed on every machine.
    state ^= state << 13; state >>>= 0;
    state ^= state >>> 17;
    state ^= state << 5; state >>>= 0;
    return state / 4294967296;
  };
  const rows = [];
  let [lat, lng] = start;
  let time = Date.UTC(2015, 0, 1, 8, 0, 0);
  const pad = (n, w = 2) => String(n).padStart(w, '0');
  for (let i = 0; i < count; i++) {
    const step = random();
    // A quarter of the photos are taken at the spot of the one before; most others a short
    // walk away (up to about 100 m); one in twenty after a journey of up to about 20 km.
    const reach = step < 0.25 ? 0 : step < 0.95 ? 0.001 : 0.2;
    lat = Math.max(-80, Math.min(80, lat + (random() - 0.5) * reach));
    lng = ((lng + (random() - 0.4) * reach + 540) % 360) - 180;
    time += Math.floor(random() * 3600 * 1000);
    const d = new Date(time);
    const dateTime = random() < 0.01 ? '' : `${d.getUTCFullYear()}:${pad(d.getUTCMonth() + 1)}:` +
      `${pad(d.getUTCDate())} ${pad(d.getUTCHours())}:${pad(d.getUTCMinutes())}:${pad(d.getUTCSeconds())}`;
    rows.push({ name: `IMG_${pad(i + 1, 6)}.jpg`, dateTime, lat: lat.toFixed(7), lng: lng.toFixed(7) });
  }
  return rows;
}

// A recorded track of `count` points along the dated photos of `rows` in time order, wavering a
// little between them, as the writer gives it to the page: one piece per day, five decimals.
export function walkTrack(rows, count) {
  const dated = rows.filter((r) => r.dateTime).sort((a, b) => (a.dateTime < b.dateTime ? -1 : a.dateTime > b.dateTime ? 1 : 0));
  const pieces = [];
  if (dated.length < 2 || count < 2) return pieces;
  for (let i = 0; i < count; i++) {
    const t = (i / (count - 1)) * (dated.length - 1);
    const j = Math.min(Math.floor(t), dated.length - 2), f = t - j;
    const [a, b] = [dated[j], dated[j + 1]];
    const lat = +a.lat + (+b.lat - +a.lat) * f + 0.0003 * Math.sin(i * 0.7);
    const lng = +a.lng + (+b.lng - +a.lng) * f + 0.0003 * Math.cos(i * 0.9);
    const day = (f < 0.5 ? a : b).dateTime.slice(0, 10);
    if (!pieces.length || pieces.at(-1).day !== day) pieces.push({ day, points: [] });
    pieces.at(-1).points.push([+lat.toFixed(5), +Math.max(-180, Math.min(180, lng)).toFixed(5)]);
  }
  return pieces.filter((piece) => piece.points.length >= 2);
}
