#pragma once
#include <cstdint>

#include "album/album_host.h"
#include "album/make_album.h"
#include "text/text_types.h"

// The add-photos command of the window: pick photos, make the album from them with the template
// `template_file`, and open the page. Returns the number of photos in the page written, or 0
// (cancelled, refused, no position). Errors (template unreadable, page not writable) propagate
// as AppError after the controls have been enabled again. Photos without a position are placed
// on `tracks` when there are any, with their times found by `time`.
std::int32_t add_photos(AlbumHost& host, const WideText& template_file,
                        const TrackSet* tracks = nullptr, const TimeOptions& time = {});
