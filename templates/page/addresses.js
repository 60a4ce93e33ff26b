// Addresses: of a photo beside the page, from its file name, and the page's own link
// ("#day=2&photo=NAME&view=1"), which names the day chosen, the photo shown and whether the
// full-window viewer shows it.

// Half a character (which no UTF-8 file name holds, but a list may) cannot stand in an
// address: it becomes the replacement character.
export function wellFormed(text) { return text.toWellFormed ? text.toWellFormed() : text; }
export function encodeText(text) {
  try {
    return encodeURIComponent(wellFormed(text));
  } catch (e) {
    return encodeURIComponent(text.replace(/[\ud800-\udfff]/g, '\ufffd'));
  }
}
export function photoUrl(name) {
  return name.split('/').map(encodeText).join('/');
}

// The link of day `day` (-1: all) and the photo of key `photoKey` (undefined: none), shown in
// the viewer when `inViewer`.
export function hashText(day, photoKey, inViewer) {
  var parts = [];
  if (day >= 0) parts.push('day=' + (day + 1));
  if (photoKey !== undefined) parts.push('photo=' + encodeText(photoKey));
  if (photoKey !== undefined && inViewer) parts.push('view=1');
  return parts.length ? '#' + parts.join('&') : '';
}
// The fields of a link, decoded: { day, photo, view }; a field that does not decode is left out.
export function parseHash(hash) {
  var fields = {};
  hash.replace(/^#/, '').split('&').forEach(function (part) {
    var at = part.indexOf('=');
    if (at < 0) return;
    try {
      fields[part.slice(0, at)] = decodeURIComponent(part.slice(at + 1));
    } catch (e) {
      // Not a name this page wrote.
    }
  });
  return fields;
}
