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

#include "album/add_photos.h"
#include "album/album_page.h"
#include "album/photo_ordering.h"
#include "album/photo_table.h"
#include "text/app_error.h"

namespace {

// The page writer's window: only its log is kept, for the error output.
class PageOnlyHost : public AlbumHost {
 public:
  bool pick_photo_files(const WideText&, const WideText&, QStringList&) override { return false; }
  void clear_log() override { log_.clear(); }
  void append_log_line(const WideText& line) override { log_.append(line); }
  void show_message(const WideText& text) override { log_.append(text); }
  void process_pending_events() override {}
  void open_with_shell(const WideText&) override {}
  QDateTime local_now() override { return QDateTime::currentDateTime(); }
  void set_command_running(bool) override {}

 private:
  QStringList log_;
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
  if (lines.size() > kPhotoTableCapacity) return fail(QStringLiteral("too many rows"));

  try {
    template_path = to_ansi(QString::fromLocal8Bit(argv[1]));
    const std::span<PhotoRow> table = photo_table();
    std::int32_t row_count = 0;
    for (const QString& line : lines) {
      const QStringList fields = line.split(u'\t');
      if (fields.size() != 4) return fail(QStringLiteral("not four fields: ") + line);
      PhotoPosition position{to_ansi(fields[2]), to_ansi(fields[3]), to_ansi(fields[1])};
      fill_photo_row(table, row_count, to_ansi(fields[0]), position);
    }
    sort_photo_rows(table, row_count);
    separate_shared_positions(table, row_count);
    PageOnlyHost host;
    if (write_album_page(table, row_count, to_ansi(QString::fromLocal8Bit(argv[3])), host) != row_count) {
      return fail(QStringLiteral("no page written"));
    }
  } catch (const AppError& error) {
    return fail(error.message());
  } catch (const std::exception& error) {
    return fail(QString::fromUtf8(error.what()));
  }
  return 0;
}
