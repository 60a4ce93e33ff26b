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

// An earlier album's preview folder.
struct EarlierFolder {
  AnsiText path;        // ends with its separator
  int descriptor = -1;  // the folder, held open (none on Windows)
};

// The preview folders of earlier albums in the page's folder that nobody else can have filled:
// real folders (no links) that are ours and writable by nobody else, newest first, at most a few
// dozen, without `own`. Each is held open while the list lives, so that its previews are looked
// up in the very folder that was checked, whatever is renamed in the meantime. (Windows has no
// owner ids here: there every such folder is taken, by its path.)
class EarlierPreviewFolders {
 public:
  EarlierPreviewFolders() = default;
  EarlierPreviewFolders(const AnsiText& page_folder, const AnsiText& own);
  EarlierPreviewFolders(EarlierPreviewFolders&& other) noexcept { folders_.swap(other.folders_); }
  EarlierPreviewFolders& operator=(EarlierPreviewFolders&& other) noexcept {
    folders_.swap(other.folders_);
    return *this;
  }
  ~EarlierPreviewFolders();

  const QList<EarlierFolder>& folders() const { return folders_; }

 private:
  QList<EarlierFolder> folders_;
};

// Puts the preview `name` of the first of `earlier` that holds a valid one into `own` (the folder
// made for this album, ending with its separator) and returns the path it took there; empty when
// none is valid. Valid: a regular file (no link), ours and writable by nobody else, no larger
// than a preview can be, holding a whole JPEG stream (from its start marker to its end marker).
// One on the same disk becomes one more link to the same file, with nothing copied; any other
// (every one on Windows) is copied. Throws AppError when the copy cannot be written.
AnsiText reuse_preview(const EarlierPreviewFolders& earlier, const AnsiText& name,
                       const AnsiText& own);
