#pragma once
#include <cstdint>

#include "album/album_host.h"
#include "text/text_types.h"

// Full path of templates/template.html beside the program; set when the window is first shown.
extern AnsiText template_path;

// The add-photos command: pick photos, log each one, order them and write the album page.
// Returns the number of photos in the page written, or 0 (cancelled, refused, no position).
// Errors (template unreadable, page not writable) propagate as AppError after the controls
// have been enabled again.
std::int32_t add_photos(AlbumHost& host);
