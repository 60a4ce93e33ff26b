// Times the album road with and without previews over folders of photos: the previews made
// afresh, then reused from the first run's folder. Photos come from scripts/make_camera_photos.py
// (camera-sized with or without an EXIF thumbnail, or small ones). First, as a yardstick, the
// time the file system alone takes to create as many files of a small preview's size.
//   bench_previews [--keep] FOLDER...
// With --keep the albums and files made are left in the folders: on a file system without a
// journal, creating many files within minutes of deleting many is slowed several times (freed
// inodes are skipped while recent), so runs to be compared should delete nothing in between.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <chrono>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <vector>

#include "album/make_album.h"
#include "text/text_ops.h"

namespace {

// About the size of a small photo's preview.
constexpr qsizetype preview_bytes = 5000;

struct StepLog : AlbumLog {
  void append_line(const WideText&) override {}
  void step(const WideText& text) override { last_step = text; }
  WideText last_step;
};

// Processor time of the whole process (all threads), user and system, in seconds: unlike the
// time on the clock, it hardly changes with what else the machine runs.
double processor_seconds() {
#ifndef _WIN32
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#else
  return 0;
#endif
}

struct Run {
  double seconds = 0;
  double processor = 0;
  AnsiText page;
  WideText summary;
};

Run run_album(const QList<AnsiText>& photos, const WideText& template_file, bool previews) {
  static int second = 0;
  const AlbumSettings settings{to_ansi(template_file),
                               [] {
                                 return QDateTime({2030, 1, 1}, {0, 0, 0}).addSecs(second++);
                               },
                               previews};
  StepLog log;
  const double processor_start = processor_seconds();
  const auto start = std::chrono::steady_clock::now();
  const AlbumResult result = make_album(photos, settings, log);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {took.count(), processor_seconds() - processor_start, result.page_path, log.last_step};
}

// The file system's own share: `count` files of `size` bytes created in a new folder beside the
// photos by as many threads as the preview step runs, and nothing else. The folder is left for
// the caller to remove last, as deleting many files slows the creating that follows on some file
// systems.
double create_files(const QString& folder, qsizetype count, qsizetype size) {
  const QByteArray content(size, 'x');
  QDir().mkdir(folder);
  std::vector<QString> names;
  for (qsizetype k = 0; k < count; ++k) {
    names.push_back(folder +
                    QStringLiteral("/%1_4807_1765000000000.jpg").arg(k, 24, 16, QChar('0')));
  }
  QThreadPool pool;
  const auto start = std::chrono::steady_clock::now();
  QtConcurrent::blockingMap(&pool, names, [&content](const QString& name) {
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.write(content);
  });
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
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

  const bool keep = argc > 1 && std::strcmp(argv[1], "--keep") == 0;
  for (int k = keep ? 2 : 1; k < argc; ++k) {
    const QDir folder(QString::fromLocal8Bit(argv[k]));
    QList<AnsiText> photos;
    for (const QString& name : folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
      photos.append(to_ansi(folder.filePath(name)));
    std::printf("%s: %lld photos\n", argv[k], static_cast<long long>(photos.size()));
    remove_run(run_album(photos, template_file, false));  // warms the cache the reader uses
    const QString files_folder = folder.filePath(
        QStringLiteral("bench_files_only_%1").arg(QCoreApplication::applicationPid()));
    const double files_only = create_files(files_folder, photos.size(), preview_bytes);
    const Run without = run_album(photos, template_file, false);
    const Run fresh = run_album(photos, template_file, true);
    const Run reused = run_album(photos, template_file, true);
    std::printf(
        "  creating as many files only %7.2f s  (%lld bytes each: the file system's share)\n",
        files_only, static_cast<long long>(preview_bytes));
    std::printf("  album without previews      %7.2f s, processor %6.2f s\n", without.seconds,
                without.processor);
    std::printf("  album, previews made afresh %7.2f s, processor %6.2f s  (%s)\n", fresh.seconds,
                fresh.processor, qPrintable(fresh.summary));
    std::printf("  album, previews reused      %7.2f s, processor %6.2f s  (%s)\n", reused.seconds,
                reused.processor, qPrintable(reused.summary));
    if (!keep) {
      for (const Run* run : {&without, &fresh, &reused}) remove_run(*run);
      QDir(files_folder).removeRecursively();
    }
    std::fflush(stdout);
  }
  return 0;
}
