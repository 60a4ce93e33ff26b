#pragma once
// The album page: the template filled with the lists of the album's photos.
#include <QByteArray>
#include <optional>
#include <span>

#include "album/album_log.h"
#include "album/photo_table.h"
#include "album/track/gpx_track.h"
#include "album/track/photo_clock.h"
#include "text/text_types.h"

// The five lists that fill the template's placeholders.
struct AlbumLists {
  AnsiText lat_long_photo_1;  // 48.85837,2.29448
  AnsiText filenames;         // "a.jpg","b.jpg"
  AnsiText datetimes;         // "2019:07:14 10:22:03",""
  AnsiText latlngs;           // [48.8583701,2.2944813],[...]
  AnsiText latlngs_short;     // [48.85837,2.29448],[...]
  // Filled only for templates that ask for them:
  AnsiText photo_urls;    // null,"../day%202/b.jpg": each photo relative to the page
  AnsiText preview_urls;  // "20261209101441_previews/3f...jpg","": each photo's preview or ""
  AnsiText photos_without_position;  // 3: photos given that are not on the page
  AnsiText track{};                  // {"day":"2024:06:04","points":[[..,..],...]},...
  AnsiText position_sources{};       // null,{"track":12},...
  AnsiText places{};                 // [["Bled","Slovenia"]],[0,null]: album/page/place_lists.h
  AnsiText unplaced{};  // ["a.jpg","2019:07:14 10:22:03","../a.jpg"],...: photos not on the map
};

AlbumLists build_album_lists(std::span<const PhotoRow> rows);

// A photo given to the album that is not on the map: no position of its own nor from a track, or
// not readable as a photo.
struct UnplacedPhoto {
  AnsiText path;
  AnsiText date_time;  // as read; empty when none
};

// The unplaced list: each photo's name, date-time and address relative to `page_folder`, in the
// order given; empty when there is none.
AnsiText build_unplaced_list(std::span<const UnplacedPhoto> photos, const AnsiText& page_folder);

// The photo_urls list: each row's photo relative to `page_folder`, percent-encoded; null for a
// photo beside the page whose name is its address; empty when that holds for every row.
AnsiText build_photo_urls(std::span<const PhotoRow> rows, const AnsiText& page_folder);

// The preview_urls list: each row's preview_url, "" for a photo without one; empty when no
// row has one.
AnsiText build_preview_urls(std::span<const PhotoRow> rows);

// Replaces the placeholders in one pass; inserted text is never searched again.
AnsiText fill_album_template(const AnsiText& template_text, const AlbumLists& lists);

// The template's text in the process code page, up to its first NUL. Throws AppError
// "Cannot open file ..." when it cannot be read.
AnsiText read_album_template(const AnsiText& path);

// Whether a template holds at least one placeholder: an empty or binary file, or some other
// page, is no album template.
bool is_album_template(const AnsiText& template_text);

// Whether a template shows previews (holds "{vorn_preview_urls}"): only then are they made.
bool template_uses_previews(const AnsiText& template_text);

// The page file's bytes: a UTF-8 byte-order mark, then the text, up to its first NUL, in UTF-8
// with CR LF for every line break (CR LF, lone CR, lone LF) but the one that ends the text.
QByteArray album_page_bytes(const AnsiText& page_text);

// The template of a page as its caller read it, once.
struct AlbumTemplate {
  AnsiText file;                 // the template file (the file system's bytes)
  std::optional<AnsiText> text;  // its text (read_album_template); none when it cannot be read
  WideText failure;              // why it cannot be read: the AppError's message
};

// Reads the template file; never throws.
AlbumTemplate load_album_template(const AnsiText& template_file);

// Everything the album page is made of.
struct AlbumPageInput {
  // The photos on the page in album order: their names, times and positions, their photo
  // addresses (from their paths), their previews (preview_url) and their positions' sources
  // (seconds_from_track).
  std::span<const PhotoRow> rows;
  std::int32_t photos_without_position = 0;  // the photos given that are not among the rows
  // Given only when the album has a track: its segments and the photos' times, whose offset cuts
  // it into the album's days, for the track list and the positions' sources.
  const TrackSet* tracks = nullptr;
  const PhotoTimes* times = nullptr;
  AnsiText page_path;  // the name the page is to take
  AlbumTemplate album_template;
  AnsiText places_file;  // the place data, read only for a template that holds {vorn_places}
  std::span<const UnplacedPhoto> unplaced;  // the photos given that are not among the rows
};

// The last stage of an album: closes the log block and, when there are rows, writes the page at
// `page_path` from the template (or beside it with a suffix, "-2", when that name is taken: see
// write_new_file) and logs where. Returns the page's path, or an empty text when there were no
// rows. Throws AppError when there are rows and the template could not be read (its failure), is
// no album template, or the page cannot be written.
AnsiText write_album_page(const AlbumPageInput& input, AlbumLog& log);
