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
