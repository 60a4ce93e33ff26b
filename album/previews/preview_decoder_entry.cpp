// The decoder module's entry: the only symbol it exports.
#include <QtGlobal>
#include <type_traits>

#include "album/previews/photo_preview.h"
#include "album/previews/preview_decoder.h"

namespace {

class ImageDecoders final : public PreviewDecoder {
 public:
  QByteArray preview_bytes(const AnsiText& path, WideText& error,
                           const PhotoFileFacts& facts) const override {
    return make_preview_bytes(path, error, facts);
  }
};

}  // namespace

extern "C" Q_DECL_EXPORT const PreviewDecoder* trailbook_preview_decoder(int interface) {
  static const ImageDecoders decoders;
  return interface == preview_decoder_interface ? &decoders : nullptr;
}

static_assert(std::is_same_v<decltype(&trailbook_preview_decoder), PreviewDecoderEntry>);
