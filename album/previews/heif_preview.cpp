#include "album/previews/heif_preview.h"

#include <libheif/heif.h>

#include <QImage>
#include <memory>

#include "album/previews/decode_size_cap.h"
#include "album/previews/preview_image.h"

namespace {

// libheif's reads, served by offset from the photo file and never past its size.
struct HeifReadState {
  RandomAccessFile* file;
  std::int64_t size;
  std::int64_t position = 0;
};

std::int64_t reader_position(void* state) {
  return static_cast<HeifReadState*>(state)->position;
}

int reader_read(void* into, std::size_t count, void* state_pointer) {
  auto* state = static_cast<HeifReadState*>(state_pointer);
  if (state->position < 0 || static_cast<std::uint64_t>(state->size - state->position) < count) {
    return 1;
  }
  if (!state->file->read_at(static_cast<std::uint64_t>(state->position),
                            static_cast<std::uint8_t*>(into), count)) {
    return 1;
  }
  state->position += static_cast<std::int64_t>(count);
  return 0;
}

int reader_seek(std::int64_t position, void* state_pointer) {
  auto* state = static_cast<HeifReadState*>(state_pointer);
  if (position < 0 || position > state->size) return 1;
  state->position = position;
  return 0;
}

heif_reader_grow_status reader_wait(std::int64_t target, void* state) {
  return target <= static_cast<HeifReadState*>(state)->size
             ? heif_reader_grow_status_size_reached
             : heif_reader_grow_status_size_beyond_eof;
}

constexpr heif_reader file_reader{1, reader_position, reader_read, reader_seek, reader_wait};

struct HeifFree {
  void operator()(heif_context* context) const { heif_context_free(context); }
  void operator()(const heif_image_handle* handle) const { heif_image_handle_release(handle); }
  void operator()(const heif_image* image) const { heif_image_release(image); }
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
using HeifContext = std::unique_ptr<heif_context, HeifFree>;
using HeifHandle = std::unique_ptr<const heif_image_handle, HeifFree>;
using HeifImage = std::unique_ptr<const heif_image, HeifFree>;
using HeifOptions = std::unique_ptr<heif_decoding_options, HeifFree>;

bool failed(const heif_error& result, WideText& error) {
  if (result.code == heif_error_Ok) return false;
  error = QStringLiteral("HEIF: ") +
          QString::fromUtf8(result.message ? result.message : "").simplified();
  return true;
}

std::int64_t pixels_of(const heif_image_handle* handle) {
  return std::int64_t{heif_image_handle_get_width(handle)} * heif_image_handle_get_height(handle);
}

// The largest thumbnail of `primary` that is not too large to decode; none when it has none.
HeifHandle largest_thumbnail(const heif_image_handle* primary) {
  const int count = std::min(heif_image_handle_get_number_of_thumbnails(primary), 16);
  heif_item_id ids[16];
  heif_image_handle_get_list_of_thumbnail_IDs(primary, ids, count);
  HeifHandle best;
  for (int k = 0; k < count; ++k) {
    heif_image_handle* candidate = nullptr;
    if (heif_image_handle_get_thumbnail(primary, ids[k], &candidate).code != heif_error_Ok) {
      continue;
    }
    HeifHandle thumbnail(candidate);
    const std::int64_t pixels = pixels_of(thumbnail.get());
    if (pixels > 0 && pixels <= largest_decoded_pixels &&
        (!best || pixels > pixels_of(best.get()))) {
      best = std::move(thumbnail);
    }
  }
  return best;
}

}  // namespace

QByteArray heif_preview(RandomAccessFile& file, WideText& error) {
  static const bool initialised = heif_init(nullptr).code == heif_error_Ok;
  HeifReadState state{&file, file.size()};
  if (!initialised || state.size < 0) {
    error = QStringLiteral("HEIF: the decoder or the file is not available");
    return {};
  }
  if (state.size > largest_heif_file) {
    error = QStringLiteral("HEIF: the file is too large to decode");
    return {};
  }
  HeifContext context(heif_context_alloc());
  if (!context) {
    error = QStringLiteral("HEIF: out of memory");
    return {};
  }
  heif_context_set_maximum_image_size_limit(context.get(), widest_decoded_side);
  // The album makes previews on every core already.
  heif_context_set_max_decoding_threads(context.get(), 0);
  if (failed(heif_context_read_from_reader(context.get(), &file_reader, &state, nullptr), error)) {
    return {};
  }
  heif_image_handle* primary_pointer = nullptr;
  if (failed(heif_context_get_primary_image_handle(context.get(), &primary_pointer), error)) {
    return {};
  }
  const HeifHandle primary(primary_pointer);
  HeifHandle chosen = largest_thumbnail(primary.get());
  const heif_image_handle* picture = chosen ? chosen.get() : primary.get();
  const std::int64_t pixels = pixels_of(picture);
  if (pixels <= 0 || pixels > largest_decoded_pixels) {
    error = QStringLiteral("HEIF: the picture is too large to decode");
    return {};
  }
  const HeifOptions options(heif_decoding_options_alloc());
  if (options) options->convert_hdr_to_8bit = 1;
  heif_image* decoded_pointer = nullptr;
  if (failed(heif_decode_image(picture, &decoded_pointer, heif_colorspace_RGB,
                               heif_chroma_interleaved_RGB, options.get()),
             error)) {
    return {};
  }
  const HeifImage decoded(decoded_pointer);
  int stride = 0;
  const std::uint8_t* pixels_start =
      heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
  const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
  const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
  if (!pixels_start || width <= 0 || height <= 0 || stride < 3 * width) {
    error = QStringLiteral("HEIF: the decoded picture is unusable");
    return {};
  }
  // The image only borrows libheif's pixels, which live until `decoded` goes.
  const QImage image(pixels_start, width, height, stride, QImage::Format_RGB888);
  QByteArray bytes = preview_jpeg(image);
  if (bytes.isEmpty()) error = QStringLiteral("the preview could not be encoded");
  return bytes;
}
