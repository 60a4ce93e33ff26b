#pragma once
// The photos directly inside a folder, as the open dialog would list them: the command's folder
// arguments and the window's Add Folder. Paths are kept as the bytes the system gave, so no name
// is lost.
#include <QList>

#include "text/text_types.h"

// Whether `path` names a folder (links followed).
bool is_photo_folder(const AnsiText& path);

// The photo files directly inside `folder` (regular files and links to them, hidden ones left
// out), names matched by the dialog's patterns in any letter case (album/photo_patterns.h),
// sorted by photo_name_less; each comes out as `folder` joined with the name by one separator.
// With `most`, the listing stops once it has found that many photos (unsorted then), so that a
// folder of millions of files costs no more than the album can take.
QList<AnsiText> photo_files_in(const AnsiText& folder, qsizetype most = -1);

// The order of the files of a folder: by name ignoring letter case, then by code unit, then by
// byte, so the order is total and repeatable.
bool photo_name_less(const AnsiText& a, const AnsiText& b);
