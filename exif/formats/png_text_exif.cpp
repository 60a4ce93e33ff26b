#include "exif/formats/png_text_exif.h"

#include <zlib.h>

#include <cstring>

#include "exif/io/stream_reads.h"

namespace {

// The zlib stream inflated, or none when it is broken, ends early or grows past the bound.
std::optional<QByteArray> inflated(const std::uint8_t* data, std::size_t size) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(size);
  QByteArray text;
  char piece[64 << 10];
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(piece);
    stream.avail_out = sizeof piece;
    status = inflate(&stream, Z_NO_FLUSH);
    const std::size_t produced = sizeof piece - stream.avail_out;
    if (static_cast<std::size_t>(text.size()) + produced > largest_profile_text) break;
    text.append(piece, static_cast<qsizetype>(produced));
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  return text;
}

// Where the profile's text starts in the chunk data after the keyword, and whether it is
// compressed; none for a chunk of another type or a compression method other than zlib's.
std::optional<std::pair<std::size_t, bool>> text_start(const std::uint8_t* data, std::size_t size,
                                                       std::uint32_t type) {
  std::size_t at = png_exif_keyword.size();
  if (type == four_cc("tEXt")) return std::pair{at, false};
  if (type == four_cc("zTXt")) {
    if (size <= at || data[at] != 0) return std::nullopt;
    return std::pair{at + 1, true};
  }
  if (type != four_cc("iTXt") || size < at + 2 || data[at] > 1 || data[at + 1] != 0) {
    return std::nullopt;
  }
  const bool compressed = data[at] == 1;
  at += 2;
  for (int texts = 0; texts < 2; ++texts) {  // the language tag, the translated keyword
    const void* zero = std::memchr(data + at, 0, size - at);
    if (!zero) return std::nullopt;
    at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data) + 1;
  }
  return std::pair{at, compressed};
}

bool is_space(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of the profile text "\n<name>\n <length>\n<hex digits, broken into lines>".
std::optional<QByteArray> profile_bytes(const QByteArray& text) {
  const char* at = text.constData();
  const char* const end = at + text.size();
  while (at < end && is_space(*at)) ++at;
  while (at < end && *at != '\n') ++at;  // the profile's name
  while (at < end && is_space(*at)) ++at;
  std::size_t length = 0;
  const char* const digits = at;
  for (; at < end && *at >= '0' && *at <= '9'; ++at) {
    length = length * 10 + static_cast<std::size_t>(*at - '0');
    if (length > largest_profile_text / 2) return std::nullopt;
  }
  if (at == digits || length == 0) return std::nullopt;
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(length));
  int high = -1;
  for (; at < end && static_cast<std::size_t>(bytes.size()) < length; ++at) {
    if (is_space(*at)) continue;
    const int value = hex_value(*at);
    if (value < 0) return std::nullopt;
    if (high < 0) {
      high = value;
    } else {
      bytes.append(static_cast<char>(high << 4 | value));
      high = -1;
    }
  }
  if (static_cast<std::size_t>(bytes.size()) != length) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<QByteArray> png_text_exif_payload(const std::uint8_t* data, std::size_t size,
                                                std::uint32_t type) {
  if (size < png_exif_keyword.size() ||
      std::memcmp(data, png_exif_keyword.data(), png_exif_keyword.size()) != 0) {
    return std::nullopt;
  }
  const std::optional<std::pair<std::size_t, bool>> start = text_start(data, size, type);
  if (!start || start->first > size) return std::nullopt;
  const std::uint8_t* text_data = data + start->first;
  const std::size_t text_size = size - start->first;
  if (!start->second) {
    if (text_size > largest_profile_text) return std::nullopt;
    return profile_bytes(
        QByteArray(reinterpret_cast<const char*>(text_data), static_cast<qsizetype>(text_size)));
  }
  const std::optional<QByteArray> text = inflated(text_data, text_size);
  if (!text) return std::nullopt;
  return profile_bytes(*text);
}
