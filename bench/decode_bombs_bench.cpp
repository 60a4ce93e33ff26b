// The preview step over decode bombs: photos of a few KB whose pictures declare 30000x30000
// pixels, one album each, with the time it took and the process's peak memory so far (a peak
// only grows, so a case that takes much hides the ones after it; trailbook-album under
// /usr/bin/time -v gives each alone). The photos are left in FOLDER for that.
//   bench_decode_bombs FOLDER
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "album/make_album.h"
#include "decode_bombs.h"
#include "text/text_ops.h"

namespace {

struct StepLog : AlbumLog {
  void append_line(const WideText&) override {}
  void step(const WideText& text) override {
    if (text.startsWith(QStringLiteral("No preview of "))) failure = text;
    last_step = text;
  }
  WideText failure, last_step;
};

long peak_kib() {
#ifndef _WIN32
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
#else
  return 0;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_decode_bombs FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 2;
  const QString template_file = folder.filePath(QStringLiteral("template.html"));
  QFile page_template(template_file);
  if (!page_template.open(QIODevice::WriteOnly)) return 2;
  page_template.write("<script>[{vorn_filenames}] [{vorn_preview_urls}]</script>\n");
  page_template.close();

  int second = 0;
  for (const DecodeBomb& bomb : decode_bomb_photos()) {
    const QString photo = folder.filePath(QString::fromLatin1(bomb.name));
    QFile file(photo);
    if (!file.open(QIODevice::WriteOnly) || file.write(bomb.bytes) != bomb.bytes.size()) return 2;
    file.close();
    const AlbumSettings settings{to_ansi(template_file),
                                 [&second] {
                                   return QDateTime({2030, 1, 1}, {0, 0, 0}).addSecs(second++);
                                 },
                                 true};
    StepLog log;
    const auto start = std::chrono::steady_clock::now();
    make_album({to_ansi(photo)}, settings, log);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%-20s %6lld bytes  %7.2f s  peak %7.1f MB  %s\n", bomb.name,
                static_cast<long long>(bomb.bytes.size()), took.count(), peak_kib() / 1024.0,
                qPrintable(log.failure.isEmpty() ? log.last_step : log.failure));
    std::fflush(stdout);
  }
  return 0;
}
