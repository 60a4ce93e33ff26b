#include "album/previews/preview_decoder_module.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "album/previews/running_program.h"

namespace {

LoadedPreviewDecoder failed(const WideText& reason) {
  return {nullptr, QStringLiteral("the image decoders cannot be loaded: ") + reason};
}

}  // namespace

LoadedPreviewDecoder load_preview_decoder(const WideText& module_file) {
  // Where the file is missing, QLibrary's error would name the last of the other names it tries.
  if (!QFileInfo::exists(module_file)) {
    return failed(QDir::toNativeSeparators(module_file) + QStringLiteral(" is missing"));
  }
  // Never unloaded (the QLibrary going leaves the module loaded): the decoder must outlive its
  // callers.
  QLibrary library(module_file);
  if (!library.load()) return failed(library.errorString());
  const auto entry =
      reinterpret_cast<PreviewDecoderEntry>(library.resolve(preview_decoder_entry_name));
  if (!entry) return failed(module_file + QStringLiteral(" is no preview decoder module"));
  const PreviewDecoder* decoder = entry(preview_decoder_interface);
  if (!decoder) return failed(module_file + QStringLiteral(" is of another build"));
  return {decoder, {}};
}

WideText preview_decoder_module_file() {
  return running_program_folder() + QStringLiteral(TRAILBOOK_PREVIEW_MODULE);
}

QByteArray module_preview_bytes(const AnsiText& path, WideText& error,
                                const PhotoFileFacts& facts) {
  static const LoadedPreviewDecoder loaded = load_preview_decoder(preview_decoder_module_file());
  if (!loaded.decoder) {
    error = loaded.error;
    return {};
  }
  return loaded.decoder->preview_bytes(path, error, facts);
}
