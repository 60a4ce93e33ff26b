#pragma once
// Turns the command's arguments into the list of photo paths, the way the open dialog would
// have listed them.
#include <QStringList>

#include "text/text_types.h"

// Files stay as given, in their order (missing ones too: the reader reports them). A folder
// stands for the photo files directly inside it, names matched by the dialog's patterns in any
// letter case, sorted by name; each comes out as the folder argument joined with the name.
QStringList expand_photo_arguments(const QStringList& arguments);

// The order of the files of a folder: by name ignoring letter case, then by code unit, so the
// order is total and repeatable.
bool photo_name_less(const WideText& a, const WideText& b);
