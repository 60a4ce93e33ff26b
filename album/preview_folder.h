#pragma once
// The folder of previews beside an album page, and earlier ones whose previews can be reused.
#include <QByteArray>
#include <QList>

#include "text/text_types.h"

struct PreviewFolder {
  AnsiText page_path;  // the name the page is to take: the folder is named after it
  AnsiText folder;     // ends with its separator
  AnsiText url;        // the folder relative to the page, percent-encoded, ending with '/'
};

// Creates "<stem>_previews/" beside `page_path` ("<stem>.html"), or for "<stem>-2.html" and so
// on when the page's name or the folder's is taken. The folder is made new (creating never
// follows a link nor reuses anything there). Throws AppError when it cannot be made.
PreviewFolder create_preview_folder(const AnsiText& page_path);

// The preview folders of earlier albums in the page's folder (real folders, no links), newest
// first, at most a few dozen, without `own`.
QList<AnsiText> earlier_preview_folders(const AnsiText& page_folder, const AnsiText& own);

// Puts the preview `name` of the first of `folders` that holds a valid one into `own` (the folder
// made for this album, ending with its separator) and returns the path it took there; empty when
// none is valid. Valid: a regular file (no link), no larger than a preview can be, holding a whole
// JPEG stream (from its start marker to its end marker). A preview of ours on the same disk
// becomes one more link to the same file, with nothing copied; any other is copied. Throws
// AppError when the copy cannot be written.
AnsiText reuse_preview(const QList<AnsiText>& folders, const AnsiText& name, const AnsiText& own);
