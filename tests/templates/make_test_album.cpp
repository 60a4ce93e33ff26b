// Writes an album page with the program's own writer, for the browser tests and the page-load
// benchmark of the album page:
//
//   make_test_album TEMPLATE ROWS.tsv PAGE.html
//
// ROWS.tsv holds one photo a line, in the order the photos were picked: file name, date-time
// text, latitude, longitude, separated by tabs (UTF-8). The rows go through the same steps as
// in a run of the add-photos command: the photo table's row fill, the ordering by date-time,
// the separation of shared positions, and the page writer with the given template.
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <vector>

#include "album/make_album.h"
#include "album/page/album_page.h"
#include "album/photo_ordering.h"
#include "album/photo_table.h"
#include "text/app_error.h"

namespace {

// The page writer's log: kept only for the error output.
class DiscardedLog : public AlbumLog {
 public:
  void append_line(const WideText&) override {}
};

int fail(const QString& message) {
  std::fprintf(stderr, "make_test_album: %s\n", message.toLocal8Bit().constData());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return fail(QStringLiteral("usage: make_test_album TEMPLATE ROWS.tsv PAGE.html"));
  const QString rows_path = QString::fromLocal8Bit(argv[2]);
  QFile rows_file(rows_path);
  if (!rows_file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("cannot read ") + rows_path);
  const QStringList lines = QString::fromUtf8(rows_file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  if (lines.size() > max_album_photos) return fail(QStringLiteral("too many rows"));

  try {
    std::vector<PhotoRow> rows;
    for (const QString& line : lines) {
      const QStringList fields = line.split(u'\t');
      if (fields.size() != 4) return fail(QStringLiteral("not four fields: ") + line);
      PhotoPosition position{to_ansi(fields[2]), to_ansi(fields[3]), to_ansi(fields[1])};
      rows.push_back(make_photo_row(to_ansi(fields[0]), position));
    }
    sort_photo_rows(rows);
    separate_shared_positions(rows);
    DiscardedLog log;
    // The writer never replaces a file: a page made again takes the place of the old one here.
    const QString page = QString::fromLocal8Bit(argv[3]);
    QFile::remove(page);
    AlbumPageInput input;
    input.rows = rows;
    input.page_path = to_ansi(page);
    input.album_template = load_album_template(AnsiText(argv[1]));
    if (write_album_page(input, log) != to_ansi(page)) {
      return fail(QStringLiteral("no page written at ") + page);
    }
  } catch (const AppError& error) {
    return fail(error.message());
  } catch (const std::exception& error) {
    return fail(QString::fromUtf8(error.what()));
  }
  return 0;
}
