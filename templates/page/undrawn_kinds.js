// Kinds of photo browsers do not draw (HEIC, TIFF, raw files), by file name: without a
// preview the popup says so and links the file instead of showing a broken picture.
export var UNDRAWN_KINDS = /\.(heic|heif|hif|tiff?|dng|nef|cr2|cr3|arw|orf|rw2|pef|raf|raw)$/i;
