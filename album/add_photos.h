#pragma once
#include <cstdint>

#include "album/album_host.h"
#include "text/text_types.h"

// The add-photos command of the window: pick photos, make the album from them with the template
// `template_file`, and open the page. Returns the number of photos in the page written, or 0
// (cancelled, refused, no position). Errors (template unreadable, page not writable) propagate
// as AppError after the controls have been enabled again.
std::int32_t add_photos(AlbumHost& host, const WideText& template_file);
