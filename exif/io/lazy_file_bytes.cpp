#include "exif/io/lazy_file_bytes.h"

#include <algorithm>
#include <new>

namespace {

std::unique_ptr<std::uint8_t[]> buffer_of(std::uint64_t size) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[size]);
}

}  // namespace

bool LazyFileBytes::load_first() {
  tail_start_ = size_;
  if (std::uint64_t{plan_.head} + plan_.tail >= size_) return load_whole();
  return load_head(plan_.head) && load_tail(size_ - plan_.tail);
}

bool LazyFileBytes::load_more(const MissingBytes& missing) {
  if (head_size_ == size_) return false;  // all of it is here: nothing can be missing
  // The far pieces read whatever they can; what they could not is not to be had.
  if (far_.failed()) return false;
  far_.forget_kept();
  const std::uint64_t end = missing.offset + missing.count;
  // Grow the piece that needs fewer new bytes to hold the missing ones.
  const std::uint64_t head_needs = end > head_size_ ? end - head_size_ : 0;
  const std::uint64_t tail_needs = missing.offset < tail_start_ ? tail_start_ - missing.offset : 0;
  if (head_needs <= tail_needs) {
    const std::uint64_t head_size = std::max<std::uint64_t>(end, 2ull * head_size_);
    if (head_size >= tail_start_) return load_whole();
    return load_head(head_size);
  }
  const std::uint64_t tail_size = size_ - tail_start_;
  const std::uint64_t doubled = tail_start_ > tail_size ? tail_start_ - tail_size : 0;
  const std::uint64_t tail_start = std::min(missing.offset, doubled);
  if (tail_start <= head_size_) return load_whole();
  return load_tail(tail_start);
}

LoadedBytes LazyFileBytes::view() {
  return LoadedBytes(head_.get(), head_size_, tail_.get(), tail_start_, size_, &far_);
}

LoadedBytes LazyFileBytes::loaded_view() {
  return LoadedBytes(head_.get(), head_size_, tail_.get(), tail_start_, size_, &far_, false);
}

void LazyFileBytes::note_peak() {
  far_.set_held(head_.get(), head_size_, tail_.get(), tail_start_);
  peak_ = std::max<std::uint64_t>(peak_, std::uint64_t{head_size_} + (size_ - tail_start_));
}

// Only the bytes between the two pieces are read; those already in memory are copied.
bool LazyFileBytes::load_whole() {
  auto whole = buffer_of(size_);
  if (!whole) return false;
  std::copy_n(head_.get(), head_size_, whole.get());
  if (!far_.fill(head_size_, whole.get() + head_size_, tail_start_ - head_size_)) return false;
  std::copy_n(tail_.get(), size_ - tail_start_, whole.get() + tail_start_);
  head_ = std::move(whole);
  head_size_ = size_;
  tail_.reset();
  tail_start_ = size_;
  note_peak();
  return true;
}

bool LazyFileBytes::load_head(std::uint64_t head_size) {
  auto head = buffer_of(head_size);
  if (!head) return false;
  std::copy_n(head_.get(), head_size_, head.get());
  if (!far_.fill(head_size_, head.get() + head_size_, head_size - head_size_)) return false;
  head_ = std::move(head);
  head_size_ = static_cast<std::uint32_t>(head_size);
  note_peak();
  return true;
}

bool LazyFileBytes::load_tail(std::uint64_t tail_start) {
  auto tail = buffer_of(size_ - tail_start);
  if (!tail) return false;
  const std::uint64_t new_bytes = tail_start_ - tail_start;
  if (!far_.fill(tail_start, tail.get(), new_bytes)) return false;
  std::copy_n(tail_.get(), size_ - tail_start_, tail.get() + new_bytes);
  tail_ = std::move(tail);
  tail_start_ = static_cast<std::uint32_t>(tail_start);
  note_peak();
  return true;
}
