#pragma once
// The preview step of an album: a preview for every photo on the page, in a folder beside it.
#include <span>

#include "album/album_log.h"
#include "album/photo_table.h"
#include "text/text_types.h"

// Creates the preview folder named after `page_path` (which becomes the name the page is to
// take, "-2" and so on when taken), makes the previews on a pool of worker threads, reusing
// valid ones from earlier albums beside it, and sets each row's preview_url ("" when its
// preview failed). The step's texts go to log.step, not into the album's log lines: its start,
// each failure in the rows' order, its summary; its progress goes to log.step_progress. Never
// throws: when the folder cannot be made, that is reported and no row gets a preview.
void make_album_previews(std::span<PhotoRow> rows, AnsiText& page_path, AlbumLog& log);
