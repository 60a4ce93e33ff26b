// Kinds of photo browsers do not draw (HEIC, TIFF, raw files), by file name: without a
// preview the popup says so and links the file instead of showing a broken picture. The build
// bundles the list it writes from the table of photo kinds in place of this one; a cross build,
// which cannot, bundles this copy, which a test keeps equal to that list.
export const UNDRAWN_KINDS = /\.(raw|tiff|tif|heic|heif|hif|dng|nef|cr2|cr3|arw|orf|rw2|pef|raf)$/i;
