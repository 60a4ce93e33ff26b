#include "album/album_page.h"

#include <QSaveFile>
#include <array>

#include "album/add_photos.h"
#include "album/album_log_texts.h"
#include "album/script_string_escape.h"
#include "text/app_error.h"
#include "text/text_file.h"
#include "text/text_ops.h"

namespace {

struct Placeholder {
  QStringView name;
  const AnsiText AlbumLists::*field;
};

constexpr std::array<Placeholder, 5> kPlaceholders = {{
    {u"{vorn_lat_long_photo_1}", &AlbumLists::lat_long_photo_1},
    {u"{vorn_filenames}", &AlbumLists::filenames},
    {u"{vorn_datetimes}", &AlbumLists::datetimes},
    {u"{vorn_latlngs}", &AlbumLists::latlngs},
    {u"{vorn_latlngs_short}", &AlbumLists::latlngs_short},
}};

constexpr QStringView kPlaceholderStart = u"{vorn_";

const Placeholder* placeholder_at(QStringView text) {
  for (const Placeholder& placeholder : kPlaceholders) {
    if (text.startsWith(placeholder.name)) return &placeholder;
  }
  return nullptr;
}

void append_quoted(AnsiText& list, const AnsiText& text) {
  if (!list.isEmpty()) list += ',';
  list += '"';
  list += escape_for_script_string(text);
  list += '"';
}

void append_pair(AnsiText& list, const AnsiText& latitude, const AnsiText& longitude) {
  if (!list.isEmpty()) list += ',';
  list += '[';
  list += latitude;
  list += ',';
  list += longitude;
  list += ']';
}

}  // namespace

AlbumLists build_album_lists(std::span<const PhotoRow> table, std::int32_t row_count) {
  AlbumLists lists;
  if (row_count <= 0) return lists;
  const auto rows = table.first(static_cast<std::size_t>(row_count));

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

void save_lines_as_utf8(const QStringList& lines, const WideText& path) {
  // Only what the process code page holds reaches the page, as everywhere else in the album.
  const WideText text = to_wide(to_ansi(lines.join(u"\r\n")));
  QByteArray bytes("\xEF\xBB\xBF");
  bytes += text.toUtf8();

  // Written beside the target and renamed into place: a failed write leaves no half page.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw AppError(QStringLiteral("Cannot create file \"%1\". %2")
                       .arg(path, failure_reason(file.errorString())));
  }
}

std::int32_t write_album_page(std::span<const PhotoRow> table, std::int32_t row_count,
                              const AnsiText& page_path, AlbumHost& host) {
  const AlbumLists lists = build_album_lists(table, row_count);
  host.append_log_line(log_separator_line());
  host.append_log_line(WideText());
  if (row_count == 0) {
    host.append_log_line(QStringLiteral("No photos added, so we have not create html for you."));
    return 0;
  }

  WideText template_text;
  for (const WideText& line : load_text_lines(to_wide(template_path))) {
    template_text += line;
    template_text += u"\r\n";
  }
  const AnsiText page = fill_album_template(to_ansi(template_text), lists);
  save_lines_as_utf8(split_text_lines(to_wide(page)), to_wide(page_path));

  host.append_log_line(QStringLiteral("Total added ") + format_int(row_count) +
                       QStringLiteral(" photos in this album."));
  host.append_log_line(QStringLiteral("The album html file was saved as:"));
  host.append_log_line(to_wide(page_path));
  host.open_with_shell(to_wide(page_path));
  return row_count;
}
