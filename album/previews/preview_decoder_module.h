#pragma once
// The image decoders' module (see preview_decoder.h), found in the running program's folder as
// the data files are.
#include <QByteArray>

#include "album/previews/preview_decoder.h"
#include "exif/photo_file_facts.h"
#include "text/text_types.h"

struct LoadedPreviewDecoder {
  const PreviewDecoder* decoder = nullptr;  // null when the module could not be had
  WideText error;                           // then why, as a preview's log line gives it
};

// Loads the module file `module_file`, which then stays loaded, and asks it for its decoder.
LoadedPreviewDecoder load_preview_decoder(const WideText& module_file);

// The module's file in the running program's folder.
WideText preview_decoder_module_file();

// make_preview_bytes() of the module beside the program, which the first call loads (calls on
// other threads meanwhile wait for it). Empty with `error` set when it cannot be loaded.
QByteArray module_preview_bytes(const AnsiText& path, WideText& error, const PhotoFileFacts& facts);
