#pragma once
// The preview of a HEIF photo (HEIC, AVIF), decoded by libheif.
#include <QByteArray>

#include "exif/io/random_access_file.h"
#include "text/text_types.h"

// Files larger than this are not decoded: phone photos are a few MB.
inline constexpr std::int64_t largest_heif_file = 64 << 20;

// The largest thumbnail of the primary image, else the primary image itself, decoded with its
// rotation and mirroring applied and scaled to the preview's size. libheif reads the file
// through `file` as it needs, bounded by its size. Empty with `error` set when it cannot be had.
QByteArray heif_preview(RandomAccessFile& file, WideText& error);
