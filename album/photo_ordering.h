#pragma once
// Puts the rows of a run into album order and moves apart photos that share a short position.
#include <cstdint>
#include <span>

#include "album/photo_table.h"
#include "text/text_types.h"

// True when a's date-time text comes first, bytes compared as unsigned values; a proper
// prefix comes before the longer text. No other field takes part.
bool row_date_time_less(const PhotoRow& a, const PhotoRow& b);

// Orders the rows by row_date_time_less, O(n log n) also in the worst case. Rows with equal
// date-time texts keep their order.
void sort_photo_rows(std::span<PhotoRow> rows);

// Gives every photo that shares its short position with an earlier one (in album order) a
// position of its own: the k-th member of a group moves k steps east when k is odd, north when
// k is even. Repeats while a move lands on another photo, at most five passes. Only the short
// texts change.
void separate_shared_positions(std::span<PhotoRow> rows);

// The five-decimal coordinate text moved by k steps of 0.00002 degrees.
AnsiText nudge_coordinate_text(const AnsiText& text, std::int32_t k);
