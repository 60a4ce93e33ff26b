#include "exif/formats/marker_scan.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint8_t marker_prefix = 0xFF;
constexpr std::uint8_t end_of_image = 0xD9;
constexpr std::uint8_t app1 = 0xE1;

bool is_pair(std::uint8_t first, std::uint8_t second, std::uint8_t code) {
  return first == marker_prefix && second == code;
}

// Bytes [begin, end): in place when the head holds them, otherwise read into `buffer`.
const std::uint8_t* bytes_at(RandomAccessFile& file, const LoadedBytes& loaded, std::uint64_t begin,
                             std::uint64_t end, std::vector<std::uint8_t>& buffer) {
  if (end <= loaded.head_size()) return loaded.head() + begin;
  buffer.resize(end - begin);
  return file.read_at(begin, buffer.data(), buffer.size()) ? buffer.data() : nullptr;
}

}  // namespace

std::optional<std::uint32_t> find_stream_end(LazyFileBytes& bytes, RandomAccessFile& file,
                                             const ReadPlan& plan) {
  // Pairs (p, p + 1) for p from size - 2 down to 1. Bytes [high, size) are scanned already,
  // and `next` is byte `high` (meaningful once high < size).
  std::uint64_t high = bytes.view().size();
  std::uint8_t next = 0;
  // First in the loaded tail, growing it while memory allows.
  for (;;) {
    const LoadedBytes view = bytes.view();
    const LoadedBytes::Piece last = view.last_piece();
    const std::uint64_t low = std::max<std::uint64_t>(last.data ? last.begin : high, 1);
    for (std::uint64_t p = high; p-- > low;) {
      const std::uint8_t byte = last.data[p - last.begin];
      if (p + 1 < view.size() && is_pair(byte, next, end_of_image)) {
        return static_cast<std::uint32_t>(p + 2);
      }
      next = byte;
    }
    high = std::min(high, low);
    if (high <= 1) return 0;
    const std::uint64_t tail_size = view.size() - last.begin;
    if (view.head_size() + 2 * tail_size > plan.scan_memory) break;
    if (!bytes.load_more({high - 1, 1})) return std::nullopt;
  }
  // The rest through a buffer of scan_piece bytes, the head in place.
  std::vector<std::uint8_t> buffer;
  const std::uint64_t step = std::max<std::uint32_t>(plan.scan_piece, 1);
  const LoadedBytes view = bytes.view();
  while (high > 1) {
    const std::uint64_t low = high - std::min(high - 1, step);
    const std::uint8_t* window = bytes_at(file, view, low, high, buffer);
    if (window == nullptr) return std::nullopt;
    for (std::uint64_t p = high; p-- > low;) {
      if (is_pair(window[p - low], next, end_of_image)) return static_cast<std::uint32_t>(p + 2);
      next = window[p - low];
    }
    high = low;
  }
  return 0;
}

std::optional<std::uint32_t> find_first_app1(LazyFileBytes& bytes, RandomAccessFile& file,
                                             std::uint32_t stream_end, const ReadPlan& plan) {
  // Pairs (i, i + 1) for i from 0 up to stream_end - 2. Bytes [0, low) are scanned already, and
  // `previous` is byte low - 1 (meaningful once low > 0).
  std::uint64_t low = 0;
  std::uint8_t previous = 0;
  // First in the loaded head, growing it while memory allows.
  for (;;) {
    const LoadedBytes view = bytes.view();
    const std::uint64_t high = std::min<std::uint64_t>(view.head_size(), stream_end);
    for (std::uint64_t i = low; i < high; ++i) {
      if (i > 0 && is_pair(previous, view.head()[i], app1)) {
        return static_cast<std::uint32_t>(i - 1);
      }
      previous = view.head()[i];
    }
    low = std::max(low, high);
    if (low >= stream_end) return stream_end - 1;
    if (2 * view.head_size() + (view.size() - view.last_piece().begin) > plan.scan_memory) break;
    if (!bytes.load_more({low, 1})) return std::nullopt;
  }
  // The rest through a buffer of scan_piece bytes.
  std::vector<std::uint8_t> buffer;
  const std::uint64_t step = std::max<std::uint32_t>(plan.scan_piece, 1);
  const LoadedBytes view = bytes.view();
  while (low < stream_end) {
    const std::uint64_t high = std::min<std::uint64_t>(low + step, stream_end);
    const std::uint8_t* window = bytes_at(file, view, low, high, buffer);
    if (window == nullptr) return std::nullopt;
    for (std::uint64_t i = low; i < high; ++i) {
      if (i > 0 && is_pair(previous, window[i - low], app1)) {
        return static_cast<std::uint32_t>(i - 1);
      }
      previous = window[i - low];
    }
    low = high;
  }
  return stream_end - 1;
}
