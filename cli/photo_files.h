#pragma once
// The file-system side of the command's photo arguments, one implementation per platform
// (photo_files_posix.cpp, photo_files_windows.cpp).
#include <QList>

#include "text/text_types.h"

bool is_folder(const AnsiText& path);

// `folder` ending with the platform's separator, ready to have a name appended.
AnsiText folder_prefix(const AnsiText& folder);

// The names of the regular files (and links to them) directly in `folder`, hidden ones left
// out, as the file system stores them. `prefix` is folder_prefix(folder).
QList<AnsiText> names_in(const AnsiText& folder, const AnsiText& prefix);
