#pragma once
// Turns the command's arguments into the list of photo paths, the way the open dialog would
// have listed them. Paths are kept as the bytes the system gave, so no name is lost.
#include <QList>

#include "text/text_types.h"

// Files stay as given, in their order (missing ones too: the reader reports them). A folder
// stands for the photo files directly inside it (album/photo_folder.h: photo_files_in), each
// joined to the folder argument as given.
QList<AnsiText> expand_photo_arguments(const QList<AnsiText>& arguments);

// `path` made absolute against the working folder and cleaned of "." and ".." steps, byte by
// byte (one implementation per platform: photo_files_posix.cpp, photo_files_windows.cpp).
AnsiText absolute_photo_path(const AnsiText& path);
