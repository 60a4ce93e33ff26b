// Distances on the earth and the map's projection.

// Great-circle distance in kilometres.
export function distanceKm(lat1, lng1, lat2, lng2) {
  var rad = Math.PI / 180;
  var dLat = (lat2 - lat1) * rad, dLng = (lng2 - lng1) * rad;
  var h = Math.sin(dLat / 2) * Math.sin(dLat / 2) +
    Math.cos(lat1 * rad) * Math.cos(lat2 * rad) * Math.sin(dLng / 2) * Math.sin(dLng / 2);
  return 12742 * Math.asin(Math.min(1, Math.sqrt(h)));
}

// Web Mercator coordinates, 0..1 across the world from the west and from the north.
export function mercatorX(lng) { return (lng + 180) / 360; }
export function mercatorY(lat) {
  var sin = Math.sin(lat * Math.PI / 180);
  return 0.5 - Math.log((1 + sin) / (1 - sin)) / (4 * Math.PI);
}
