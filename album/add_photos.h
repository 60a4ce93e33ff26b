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

// The same for the photos directly inside one folder (album/photo_folder.h), as trailbook-album
// takes a folder: the host is asked for the folder instead of the files, so that a large library
// needs no selection of every file in the dialog.
std::int32_t add_photo_folder(AlbumHost& host, const WideText& template_file,
                              const TrackSet* tracks = nullptr, const TimeOptions& time = {});
