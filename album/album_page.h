#pragma once
#include <QStringList>
#include <cstdint>
#include <span>

#include "album/album_host.h"
#include "album/photo_table.h"
#include "text/text_types.h"

// The five lists that fill the template's placeholders.
struct AlbumLists {
  AnsiText lat_long_photo_1;  // 48.85837,2.29448
  AnsiText filenames;         // "a.jpg","b.jpg"
  AnsiText datetimes;         // "2019:07:14 10:22:03",""
  AnsiText latlngs;           // [48.8583701,2.2944813],[...]
  AnsiText latlngs_short;     // [48.85837,2.29448],[...]
};

AlbumLists build_album_lists(std::span<const PhotoRow> table, std::int32_t row_count);

// Replaces the five placeholders in one pass; inserted text is never searched again.
AnsiText fill_album_template(const AnsiText& template_text, const AlbumLists& lists);

// Writes the lines as UTF-8 with a byte-order mark, CR LF between lines, through a temporary
// file renamed into place. Throws AppError "Cannot create file ..." on failure.
void save_lines_as_utf8(const QStringList& lines, const WideText& path);

// The last stage of add_photos: closes the log block, writes and opens the page.
// Returns row_count when a page was written, 0 when there was no photo.
std::int32_t write_album_page(std::span<const PhotoRow> table, std::int32_t row_count,
                              const AnsiText& page_path, AlbumHost& host);
