#pragma once
// One photo's preview: a small upright JPEG for the album page to show before the original.
#include <QByteArray>
#include <QStringList>

#include "exif/photo_file_facts.h"
#include "text/text_types.h"

// The long side of a preview made by decoding, in pixels.
inline constexpr int preview_long_side = 320;

// The JPEG bytes of the preview of the photo at `path` (process code page): the EXIF thumbnail
// as a byte copy when the photo has one and needs no turning, turned when its orientation asks
// for it, else the photo decoded at a reduced size (the JPEG decoder scales while it decodes)
// and turned upright. Empty with `error` set when neither can be had. `facts` from the read of
// the photo's position spare reading again what that read found.
QByteArray make_preview_bytes(const AnsiText& path, WideText& error,
                              const PhotoFileFacts& facts = {});

// The preview's file name: it names the photo by a hash of its path (two photos of one name in
// two folders get two previews) and records the photo's size and modification time, so that a
// preview whose name still matches is still valid. Empty when the photo cannot be looked at.
// The size and time come from `facts` when the read of the position noted them.
AnsiText preview_file_name(const AnsiText& path, const PhotoFileFacts& facts = {});
