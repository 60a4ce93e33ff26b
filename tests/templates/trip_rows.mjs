// Rows of a three-day trip for the album page's tests and screenshots: Zürich, Luzern and
// Venezia, with a burst of photos at one spot, names with spaces, "#", "%" and accents, and two
// photos without a date-time (which the writer puts first).
const TOWNS = [
  { day: '2024:06:03', town: 'Z\u00fcrich', lat: 47.3769, lng: 8.5417, count: 9 },
  { day: '2024:06:04', town: 'Luzern', lat: 47.0502, lng: 8.3093, count: 7 },
  { day: '2024:06:05', town: 'Venezia', lat: 45.4408, lng: 12.3155, count: 8 },
];

export const TRIP_DAYS = TOWNS.map((t) => ({ day: t.day, town: t.town, count: t.count }));

export function tripRows() {
  const rows = [];
  TOWNS.forEach((t, d) => {
    for (let k = 0; k < t.count; k++) {
      // A stroll through town; photos 3 to 5 of each day are a burst at one spot.
      const step = k >= 2 && k <= 4 ? 2 : k;
      const lat = t.lat + 0.0021 * step * Math.cos(step + d);
      const lng = t.lng + 0.0027 * step * Math.sin(step * 1.3 + d);
      const minute = String(10 + k * 5).padStart(2, '0');
      const hour = String(9 + k).padStart(2, '0');
      const name = k === 1 ? `${t.town} #${k + 1} 50% caf\u00e9.jpg` : `${t.town} ${String(k + 1).padStart(2, '0')}.jpg`;
      rows.push({ name, dateTime: `${t.day} ${hour}:${minute}:00`, lat: lat.toFixed(7), lng: lng.toFixed(7) });
    }
  });
  // Without a date-time: the writer orders them first, the page walks them last.
  rows.push({ name: 'Luzern Kapellbr\u00fccke.jpg', dateTime: '', lat: '47.0517', lng: '8.3077' });
  rows.push({ name: 'Venezia Rialto.jpg', dateTime: '', lat: '45.4380', lng: '12.3359' });
  return rows;
}
