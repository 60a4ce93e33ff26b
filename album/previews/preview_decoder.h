#pragma once
// What the album library asks of the image decoders (Qt Gui, libheif), which lie in a module of
// their own beside the program: it is loaded when the first preview is decoded, so that reading
// positions, and albums whose previews are all reused, map none of them.
#include <QByteArray>

#include "exif/photo_file_facts.h"
#include "text/text_types.h"

class PreviewDecoder {
 public:
  virtual ~PreviewDecoder() = default;
  // make_preview_bytes() of photo_preview.h, run in the module.
  virtual QByteArray preview_bytes(const AnsiText& path, WideText& error,
                                   const PhotoFileFacts& facts) const = 0;
};

// Raised whenever PreviewDecoder or what it passes changes, so that a module of another build is
// refused instead of called.
inline constexpr int preview_decoder_interface = 1;

// The one function the module exports, with C linkage: its decoder, or null when `interface` is
// not the one it was built for. The decoder lives as long as the module.
inline constexpr char preview_decoder_entry_name[] = "trailbook_preview_decoder";
using PreviewDecoderEntry = const PreviewDecoder* (*)(int interface);
