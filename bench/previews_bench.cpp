// Times the album road with and without previews over folders of photos: the previews made
// afresh, then reused from the first run's folder. Photos come from scripts/make_camera_photos.py
// (camera-sized with or without an EXIF thumbnail, or small ones).
//   bench_previews FOLDER...
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "album/make_album.h"
#include "text/text_ops.h"

namespace {

struct StepLog : AlbumLog {
  void append_line(const WideText&) override {}
  void step(const WideText& text) override { last_step = text; }
  WideText last_step;
};

struct Run {
  double seconds = 0;
  AnsiText page;
  WideText summary;
};

Run run_album(const QList<AnsiText>& photos, const WideText& template_file, bool previews) {
  static int second = 0;
  const AlbumSettings settings{template_file,
                               [] {
                                 return QDateTime({2030, 1, 1}, {0, 0, 0}).addSecs(second++);
                               },
                               previews};
  StepLog log;
  const auto start = std::chrono::steady_clock::now();
  const AlbumResult result = make_album(photos, settings, log);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {took.count(), result.page_path, log.last_step};
}

void remove_run(const Run& run) {
  QFile::remove(to_wide(run.page));
  QDir(to_wide(run.page.chopped(5)) + QStringLiteral("_previews")).removeRecursively();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // A template of its own, so that two runs at once do not share one.
  const QTemporaryDir template_folder;
  const QString template_file = template_folder.filePath(QStringLiteral("template.html"));
  QFile page_template(template_file);
  if (!page_template.open(QIODevice::WriteOnly)) return 2;
  page_template.write(
      "<script>[{vorn_filenames}] [{vorn_photo_urls}] [{vorn_preview_urls}]</script>\n");
  page_template.close();

  for (int k = 1; k < argc; ++k) {
    const QDir folder(QString::fromLocal8Bit(argv[k]));
    QList<AnsiText> photos;
    for (const QString& name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
      photos.append(to_ansi(folder.filePath(name)));
    std::printf("%s: %lld photos\n", argv[k], static_cast<long long>(photos.size()));
    remove_run(run_album(photos, template_file, false));  // warms the cache the reader uses
    const Run without = run_album(photos, template_file, false);
    const Run fresh = run_album(photos, template_file, true);
    const Run reused = run_album(photos, template_file, true);
    std::printf("  album without previews      %7.2f s\n", without.seconds);
    std::printf("  album, previews made afresh %7.2f s  (%s)\n", fresh.seconds,
                qPrintable(fresh.summary));
    std::printf("  album, previews reused      %7.2f s  (%s)\n", reused.seconds,
                qPrintable(reused.summary));
    for (const Run* run : {&without, &fresh, &reused}) remove_run(*run);
    std::fflush(stdout);
  }
  return 0;
}
