#pragma once
// The name of a photo's preview file, which tells whether an earlier preview is still valid.
#include "exif/photo_file_facts.h"
#include "text/text_types.h"

// The preview's file name: it names the photo by a hash of its path (two photos of one name in
// two folders get two previews) and records the photo's size and modification time, so that a
// preview whose name still matches is still valid. Empty when the photo cannot be looked at.
// The size and time come from `facts` when the read of the position noted them.
AnsiText preview_file_name(const AnsiText& path, const PhotoFileFacts& facts = {});
