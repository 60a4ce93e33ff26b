#include "exif/io/far_pieces.h"

#include <algorithm>
#include <new>

const std::uint8_t* FarPieces::range(std::uint64_t offset, std::uint64_t count, bool keep,
                                     bool may_read) {
  const Piece* piece = find(offset, count);
  if (piece == nullptr) {
    if (!may_read || failed_) return nullptr;
    piece = load(offset, count);
    if (piece == nullptr) {
      failed_ = true;
      return nullptr;
    }
  }
  Piece& used = pieces_[last_hit_];
  used.last_used = ++clock_;
  used.kept = used.kept || keep;
  return piece->data.get() + (offset - piece->begin);
}

void FarPieces::forget_kept() {
  for (Piece& piece : pieces_) piece.kept = false;
}

const FarPieces::Piece* FarPieces::find(std::uint64_t offset, std::uint64_t count) {
  const auto holds = [&](const Piece& p) {
    return offset >= p.begin && offset - p.begin <= p.size && count <= p.size - (offset - p.begin);
  };
  // A directory's entries and the next value mostly lie in the piece used last.
  if (last_hit_ < pieces_.size() && holds(pieces_[last_hit_])) return &pieces_[last_hit_];
  for (std::size_t k = 0; k < pieces_.size(); ++k) {
    if (holds(pieces_[k])) {
      last_hit_ = k;
      return &pieces_[k];
    }
  }
  return nullptr;
}

const FarPieces::Piece* FarPieces::load(std::uint64_t offset, std::uint64_t count) {
  if (offset > size_ || count > size_ - offset) return nullptr;
  const std::uint64_t page = std::max<std::uint32_t>(limits_.page, 1);
  const std::uint64_t begin = offset / page * page;
  std::uint64_t end = std::min(size_, (offset + count + page - 1) / page * page);
  // A walk through the file (a read that goes on near where the last one ended, as a chain of
  // boxes or chunks does) reads ahead, more each time.
  std::uint64_t ahead = page;
  if (last_size_ > 0 && offset + page >= last_end_ && offset < last_end_ + 4 * last_size_) {
    ahead = std::max(ahead, std::min<std::uint64_t>(2 * last_size_, limits_.largest_piece));
  }
  end = std::max(end, std::min(size_, begin + ahead));
  const std::uint64_t size = end - begin;

  if (reads_ >= limits_.reads || bytes_read_ + size > limits_.bytes) return nullptr;
  if (!make_room(size)) return nullptr;
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[size]);
  if (!data) return nullptr;
  ++reads_;
  bytes_read_ += size;
  if (!fill(begin, data.get(), size)) return nullptr;
  last_end_ = end;
  last_size_ = size;
  held_ += size;
  peak_held_ = std::max(peak_held_, held_);
  pieces_.push_back(Piece{begin, size, std::move(data), 0, false});
  last_hit_ = pieces_.size() - 1;
  return &pieces_.back();
}

// Drops the pieces used longest ago that no kept bytes lie in, until `bytes` more fit.
bool FarPieces::make_room(std::uint64_t bytes) {
  if (bytes > limits_.memory) return false;
  while (held_ + bytes > limits_.memory) {
    auto oldest = pieces_.end();
    for (auto p = pieces_.begin(); p != pieces_.end(); ++p) {
      if (!p->kept && (oldest == pieces_.end() || p->last_used < oldest->last_used)) oldest = p;
    }
    if (oldest == pieces_.end()) return false;
    held_ -= oldest->size;
    pieces_.erase(oldest);
    last_hit_ = pieces_.size();
  }
  return true;
}

bool FarPieces::fill(std::uint64_t begin, std::uint8_t* into, std::uint64_t count) {
  const std::uint64_t end = begin + count;
  std::uint64_t at = begin;
  while (at < end) {
    const std::uint8_t* held = nullptr;
    std::uint64_t held_end = 0;
    // Up to the next byte held, when `at` is not held itself.
    std::uint64_t next_held = std::min(end, std::max(held_tail_start_, at));
    if (at < held_head_size_) {
      held = held_head_ + at;
      held_end = held_head_size_;
    } else if (at >= held_tail_start_ && at < size_) {
      held = held_tail_ + (at - held_tail_start_);
      held_end = size_;
    }
    for (const Piece& p : pieces_) {
      if (held) break;
      if (p.begin <= at && at - p.begin < p.size) {
        held = p.data.get() + (at - p.begin);
        held_end = p.begin + p.size;
      } else if (p.begin > at) {
        next_held = std::min(next_held, p.begin);
      }
    }
    if (held) {
      const std::uint64_t n = std::min(end, held_end) - at;
      std::copy_n(held, n, into + (at - begin));
      at += n;
      continue;
    }
    if (next_held <= at) next_held = end;
    if (!file_.read_at(at, into + (at - begin), next_held - at)) return false;
    at = next_held;
  }
  return true;
}
