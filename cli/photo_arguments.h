#pragma once
// Turns the command's arguments into the list of photo paths, the way the open dialog would
// have listed them. Paths are kept as the bytes the system gave, so no name is lost.
#include <QList>

#include "text/text_types.h"

// Files stay as given, in their order (missing ones too: the reader reports them). A folder
// stands for the photo files directly inside it (regular files and links to them, hidden ones
// left out), names matched by the dialog's patterns in any letter case, sorted by name; each
// comes out as the folder argument joined with the name.
QList<AnsiText> expand_photo_arguments(const QList<AnsiText>& arguments);

// The order of the files of a folder: by name ignoring letter case, then by code unit, then by
// byte, so the order is total and repeatable.
bool photo_name_less(const AnsiText& a, const AnsiText& b);

// `path` made absolute against the working folder and cleaned of "." and ".." steps, byte by
// byte.
AnsiText absolute_photo_path(const AnsiText& path);
