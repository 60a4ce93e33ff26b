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
