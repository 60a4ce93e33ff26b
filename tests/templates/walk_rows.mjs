// Rows of a made-up long journey for large albums: a seeded random walk with bursts of photos
// at one spot, a few photos without a date-time, times increasing by minutes to hours.
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
    if (random() > 0.3) {  // else: another photo at the same spot
      lat = Math.max(-80, Math.min(80, lat + (random() - 0.5) * 0.02));
      lng = ((lng + (random() - 0.45) * 0.03 + 540) % 360) - 180;
    }
    time += Math.floor(random() * 3600 * 1000);
    const d = new Date(time);
    const dateTime = random() < 0.01 ? '' : `${d.getUTCFullYear()}:${pad(d.getUTCMonth() + 1)}:` +
      `${pad(d.getUTCDate())} ${pad(d.getUTCHours())}:${pad(d.getUTCMinutes())}:${pad(d.getUTCSeconds())}`;
    rows.push({ name: `IMG_${pad(i + 1, 6)}.jpg`, dateTime, lat: lat.toFixed(7), lng: lng.toFixed(7) });
  }
  return rows;
}
