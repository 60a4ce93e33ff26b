#include "album/page/album_page.h"

#include <array>

#include "album/album_log_texts.h"
#include "album/new_file.h"
#include "album/page/photo_urls.h"
#include "album/page/place_lists.h"
#include "album/page/script_string_escape.h"
#include "album/page/track_page_lists.h"
#include "text/app_error.h"
#include "text/text_file.h"
#include "text/text_ops.h"

namespace {

struct Placeholder {
  QStringView name;
  const AnsiText AlbumLists::*field;
};

constexpr std::array<Placeholder, 12> kPlaceholders = {{
    {u"{vorn_lat_long_photo_1}", &AlbumLists::lat_long_photo_1},
    {u"{vorn_filenames}", &AlbumLists::filenames},
    {u"{vorn_datetimes}", &AlbumLists::datetimes},
    {u"{vorn_latlngs}", &AlbumLists::latlngs},
    {u"{vorn_latlngs_short}", &AlbumLists::latlngs_short},
    {u"{vorn_photo_urls}", &AlbumLists::photo_urls},
    {u"{vorn_preview_urls}", &AlbumLists::preview_urls},
    {u"{vorn_photos_without_position}", &AlbumLists::photos_without_position},
    {u"{vorn_track}", &AlbumLists::track},
    {u"{vorn_position_sources}", &AlbumLists::position_sources},
    {u"{vorn_places}", &AlbumLists::places},
    {u"{vorn_unplaced}", &AlbumLists::unplaced},
}};

constexpr QStringView kPlaceholderStart = u"{vorn_";

const Placeholder* placeholder_at(QStringView text) {
  for (const Placeholder& placeholder : kPlaceholders) {
    if (text.startsWith(placeholder.name)) return &placeholder;
  }
  return nullptr;
}

// Starts the next entry of a comma-separated list.
void append_separator(AnsiText& list) {
  if (!list.isEmpty()) list += ',';
}

void append_quoted(AnsiText& list, const AnsiText& text) {
  append_separator(list);
  list += '"';
  list += escape_for_script_string(text);
  list += '"';
}

void append_pair(AnsiText& list, const AnsiText& latitude, const AnsiText& longitude) {
  append_separator(list);
  list += '[';
  list += latitude;
  list += ',';
  list += longitude;
  list += ']';
}

}  // namespace

AlbumLists build_album_lists(std::span<const PhotoRow> rows) {
  AlbumLists lists;
  if (rows.empty()) return lists;

  // Size the lists once so that 100000 rows append without repeated growth.
  qsizetype names = 0, dates = 0, full = 0, short_size = 0;
  for (const PhotoRow& row : rows) {
    names += row.file_name.size() + 3;
    dates += row.date_time.size() + 3;
    full += row.latitude.size() + row.longitude.size() + 4;
    short_size += row.latitude_short.size() + row.longitude_short.size() + 4;
  }
  lists.filenames.reserve(names);
  lists.datetimes.reserve(dates);
  lists.latlngs.reserve(full);
  lists.latlngs_short.reserve(short_size);

  // Album order puts the first photo first, and the separation never moves it.
  lists.lat_long_photo_1 = rows.front().latitude_short + ',' + rows.front().longitude_short;
  for (const PhotoRow& row : rows) {
    append_quoted(lists.filenames, row.file_name);
    append_quoted(lists.datetimes, row.date_time);
    append_pair(lists.latlngs, row.latitude, row.longitude);
    append_pair(lists.latlngs_short, row.latitude_short, row.longitude_short);
  }
  return lists;
}

// The page reads its lists of addresses only when they hold an entry for every photo: an
// empty one (no entry to tell) costs a large album's page nothing to read.
AnsiText build_photo_urls(std::span<const PhotoRow> rows, const AnsiText& page_folder) {
  AnsiText urls;
  bool any = false;
  for (const PhotoRow& row : rows) {
    const AnsiText url = relative_photo_url(row.path, page_folder);
    // A photo beside the page whose name needs no encoding is found by its name.
    if (url == row.file_name) {
      append_separator(urls);
      urls += "null";
    } else {
      append_quoted(urls, url);
      any = true;
    }
  }
  return any ? urls : AnsiText();
}

AnsiText build_unplaced_list(std::span<const UnplacedPhoto> photos, const AnsiText& page_folder) {
  AnsiText list;
  for (const UnplacedPhoto& photo : photos) {
    AnsiText entry;
    append_quoted(entry, ansi_name_of(photo.path));
    append_quoted(entry, photo.date_time);
    append_quoted(entry, relative_photo_url(photo.path, page_folder));
    append_separator(list);
    list += '[' + entry + ']';
  }
  return list;
}

AnsiText build_preview_urls(std::span<const PhotoRow> rows) {
  AnsiText urls;
  bool any = false;
  for (const PhotoRow& row : rows) {
    append_quoted(urls, row.preview_url);
    any = any || !row.preview_url.isEmpty();
  }
  return any ? urls : AnsiText();
}

AnsiText fill_album_template(const AnsiText& template_text, const AlbumLists& lists) {
  // The template is scanned as characters, so that a multi-byte character can never pass for
  // a brace; the lists go in as they are and are never scanned.
  const WideText text = to_wide(template_text);
  AnsiText page;
  qsizetype inserted = 0;
  for (const Placeholder& placeholder : kPlaceholders) {
    inserted += (lists.*placeholder.field).size();
  }
  page.reserve(template_text.size() + inserted);

  qsizetype copied = 0;  // the template text before this index is in the page
  qsizetype at = text.indexOf(kPlaceholderStart);
  while (at >= 0) {
    const Placeholder* placeholder = placeholder_at(QStringView(text).sliced(at));
    if (placeholder == nullptr) {
      at = text.indexOf(kPlaceholderStart, at + 1);
      continue;
    }
    page += to_ansi(text.sliced(copied, at - copied));
    page += lists.*placeholder->field;
    copied = at + placeholder->name.size();
    at = text.indexOf(kPlaceholderStart, copied);
  }
  page += to_ansi(text.sliced(copied));
  return page;
}

bool is_album_template(const AnsiText& template_text) {
  for (const Placeholder& placeholder : kPlaceholders) {
    if (template_text.contains(placeholder.name.toLatin1())) return true;
  }
  return false;
}

bool template_uses_previews(const AnsiText& template_text) {
  return template_text.contains("{vorn_preview_urls}");
}

AnsiText read_album_template(const AnsiText& path) {
  const WideText text = load_text(path);
  const qsizetype end = text.indexOf(QChar(u'\0'));
  return to_ansi(end < 0 ? text : text.first(end));
}

QByteArray album_page_bytes(const AnsiText& page_text) {
  const qsizetype nul = page_text.indexOf('\0');
  const qsizetype end = nul < 0 ? page_text.size() : nul;
  const char* text = page_text.constData();
  AnsiText lines;
  lines.reserve(end + end / 64 + 2);
  qsizetype start = 0;  // the text before this index is in `lines`
  bool ends_in_break = false;
  for (qsizetype i = 0; i < end; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.append(text + start, i - start);
    lines.append("\r\n", 2);
    if (text[i] == '\r' && i + 1 < end && text[i + 1] == '\n') ++i;
    start = i + 1;
    ends_in_break = start == end;
  }
  lines.append(text + start, end - start);
  if (ends_in_break) lines.chop(2);  // no line break after the last line
  return QByteArray("\xEF\xBB\xBF") + to_utf8(lines);
}

AlbumTemplate load_album_template(const AnsiText& template_file) {
  AlbumTemplate loaded{template_file, std::nullopt, {}};
  try {
    loaded.text = read_album_template(template_file);
  } catch (const AppError& failure) {
    loaded.failure = failure.message();
  }
  return loaded;
}

AnsiText write_album_page(const AlbumPageInput& input, AlbumLog& log) {
  log.append_line(log_separator_line());
  log.append_line(WideText());
  const std::span<const PhotoRow> rows = input.rows;
  if (rows.empty()) {
    log.append_line(QStringLiteral("No photos added, so we have not create html for you."));
    return {};
  }

  if (!input.album_template.text) throw AppError(input.album_template.failure);
  const AnsiText& template_text = *input.album_template.text;
  if (!is_album_template(template_text)) {
    throw AppError(QStringLiteral("The template \"%1\" holds none of the album's placeholders "
                                  "(such as {vorn_filenames}), so its page would show no photo")
                       .arg(to_wide(input.album_template.file)));
  }
  AlbumLists lists = build_album_lists(rows);
  if (template_text.contains("{vorn_photo_urls}")) {
    lists.photo_urls = build_photo_urls(rows, ansi_folder_of(input.page_path));
  }
  if (template_uses_previews(template_text)) lists.preview_urls = build_preview_urls(rows);
  lists.photos_without_position = AnsiText::number(input.photos_without_position);
  if (input.tracks != nullptr && input.times != nullptr) {
    lists.track = build_track_pieces(input.tracks->segments, input.times->day_offset);
    lists.position_sources = build_position_sources(rows);
  }
  if (template_text.contains("{vorn_unplaced}")) {
    lists.unplaced = build_unplaced_list(input.unplaced, ansi_folder_of(input.page_path));
  }
  if (template_text.contains("{vorn_places}")) {
    lists.places = read_place_lists(rows, input.places_file, log);
  }
  const AnsiText page = fill_album_template(template_text, lists);
  const AnsiText written = write_new_file(album_page_bytes(page), input.page_path, ".html");

  log.append_line(QStringLiteral("Total added ") +
                  format_int(static_cast<std::int32_t>(rows.size())) +
                  QStringLiteral(" photos in this album."));
  log.append_line(QStringLiteral("The album html file was saved as:"));
  log.append_line(to_wide(written));
  return written;
}
