#pragma once
// EXIF data that some image tools keep in a PNG text chunk instead of an "eXIf" chunk: the
// keyword "Raw profile type exif", then the profile as text (a line with its name, a line with
// its length in bytes, then the bytes in hexadecimal), in a tEXt chunk as it is or compressed
// with zlib in a zTXt or iTXt chunk.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The keyword that starts such a chunk's data, with its terminating zero byte.
inline constexpr std::string_view png_exif_keyword{"Raw profile type exif\0", 22};

// A profile's text is never longer than this; a chunk that inflates to more is refused, however
// little data it has (a few KiB of zlib data can claim gigabytes).
inline constexpr std::size_t largest_profile_text = 4 << 20;

// The EXIF payload that the data of the text chunk of four-character `type` holds; none when it
// is no EXIF profile, is malformed, or inflates to more than largest_profile_text bytes.
std::optional<QByteArray> png_text_exif_payload(const std::uint8_t* data, std::size_t size,
                                                std::uint32_t type);
