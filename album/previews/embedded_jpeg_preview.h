#pragma once
// The preview of a raw file made from the JPEG picture it carries.
#include <QByteArray>

#include "exif/embedded_preview.h"
#include "exif/io/random_access_file.h"
#include "text/text_types.h"

// Reads the JPEG `preview` (at most largest_preview bytes) in one read, decodes it at the
// preview's size and turns it as EXIF orientation `orientation` says. Empty with `error` set when
// it cannot be read or decoded, and `too_large` set when it declares a picture too large to
// decode.
QByteArray embedded_jpeg_preview(RandomAccessFile& file, const EmbeddedPreview& preview,
                                 int orientation, WideText& error, bool& too_large);
