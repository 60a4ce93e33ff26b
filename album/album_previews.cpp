#include "album/album_previews.h"

#include <QLoggingCategory>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <atomic>
#include <vector>

#include "album/page_file.h"
#include "album/photo_preview.h"
#include "album/preview_folder.h"
#include "text/app_error.h"
#include "text/text_ops.h"

namespace {

struct PreviewJob {
  const AnsiText* photo = nullptr;
  const PhotoFileFacts* facts = nullptr;
  AnsiText file_name;  // of the preview written; empty when none
  bool reused = false;
  WideText error;
};

void make_one(PreviewJob& job, const PreviewFolder& folder, const QList<AnsiText>& earlier) {
  const AnsiText name = preview_file_name(*job.photo, *job.facts);
  if (name.isEmpty()) {
    job.error = QStringLiteral("the photo cannot be looked at");
    return;
  }
  try {
    AnsiText written = reuse_preview(earlier, name, folder.folder);
    job.reused = !written.isEmpty();
    if (!job.reused) {
      const QByteArray bytes = make_preview_bytes(*job.photo, job.error, *job.facts);
      if (bytes.isEmpty()) return;
      written = write_new_file_in_own_folder(bytes, folder.folder + name, ".jpg");
    }
    job.file_name = ansi_name_of(written);
  } catch (const AppError& failure) {
    job.error = failure.message();
  }
}

}  // namespace

void make_album_previews(std::span<PhotoRow> rows, AnsiText& page_path, AlbumLog& log) {
  const qsizetype count = static_cast<qsizetype>(rows.size());
  log.step(QStringLiteral("Making previews of ") + format_int(static_cast<std::int32_t>(count)) +
           QStringLiteral(" photos..."));
  // Photos that do not decode are reported here, once each, not by the image decoder on stderr.
  static const bool decoder_quiet = [] {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));
    return true;
  }();
  (void)decoder_quiet;
  PreviewFolder folder;
  try {
    folder = create_preview_folder(page_path);
  } catch (const AppError& failure) {
    log.step(QStringLiteral("No previews: ") + failure.message());
    return;
  }
  page_path = folder.page_path;
  const QList<AnsiText> earlier = earlier_preview_folders(ansi_folder_of(page_path), folder.folder);

  std::vector<PreviewJob> jobs(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    jobs[i].photo = &rows[i].path;
    jobs[i].facts = &rows[i].file_facts;
  }
  std::atomic<qsizetype> done{0};
  // A pool of our own, one thread per core, so that waiting for it waits for this step alone.
  QThreadPool pool;
  QFuture<void> running = QtConcurrent::map(&pool, jobs, [&](PreviewJob& job) {
    make_one(job, folder, earlier);
    done.fetch_add(1, std::memory_order_relaxed);
  });
  // The calling thread reports progress (a window repaints there) until the pool is through.
  while (!pool.waitForDone(100)) log.step_progress(done.load(std::memory_order_relaxed), count);
  running.waitForFinished();
  log.step_progress(count, count);

  std::int32_t made = 0, reused = 0, failed = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PreviewJob& job = jobs[i];
    if (job.file_name.isEmpty()) {
      ++failed;
      log.step(QStringLiteral("No preview of ") + to_wide(rows[i].path) + QStringLiteral(": ") +
               job.error);
      continue;
    }
    (job.reused ? reused : made) += 1;
    rows[i].preview_url = folder.url + job.file_name.toPercentEncoding();
  }
  log.step(QStringLiteral("Previews: ") + format_int(made) + QStringLiteral(" made, ") +
           format_int(reused) + QStringLiteral(" reused, ") + format_int(failed) +
           QStringLiteral(" failed."));
}
