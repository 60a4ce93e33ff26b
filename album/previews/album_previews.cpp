#include "album/previews/album_previews.h"

#include <QLoggingCategory>

#include "album/new_file.h"
#include "album/previews/preview_decoder_module.h"
#include "album/previews/preview_file_name.h"
#include "text/app_error.h"
#include "text/text_ops.h"

namespace {

void make_one(AlbumPreviewStep::Job& job, const PreviewFolder& folder,
              const EarlierPreviewFolders& earlier) {
  const AnsiText name = preview_file_name(job.photo, job.facts);
  if (name.isEmpty()) {
    job.error = QStringLiteral("the photo cannot be looked at");
    return;
  }
  try {
    AnsiText written = reuse_preview(earlier, name, folder.folder);
    job.reused = !written.isEmpty();
    if (!job.reused) {
      const QByteArray bytes = module_preview_bytes(job.photo, job.error, job.facts);
      if (bytes.isEmpty()) return;
      written = write_new_file_in_own_folder(bytes, folder.folder + name, ".jpg");
    }
    job.file_name = ansi_name_of(written);
    // Here on the worker rather than for every row after the wait.
    job.url = folder.url + job.file_name.toPercentEncoding();
  } catch (const AppError& failure) {
    job.error = failure.message();
  }
}

}  // namespace

AnsiText AlbumPreviewStep::make_folder(const AnsiText& page_path) {
  // Photos that do not decode are reported here, once each, not by the image decoder on stderr.
  static const bool decoder_quiet = [] {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));
    return true;
  }();
  (void)decoder_quiet;
  try {
    folder_ = create_preview_folder(page_path);
    earlier_ = EarlierPreviewFolders(ansi_folder_of(folder_->page_path), folder_->folder);
  } catch (const AppError& failure) {
    folder_error_ = failure.message();
  }
  return folder_ ? folder_->page_path : page_path;
}

void AlbumPreviewStep::add(PhotoRow& row) {
  Job& job = jobs_.emplace_back(Job{row.path, row.file_facts, {}, {}, false, {}});
  row.file_facts.thumbnail_bytes = QByteArray();
  if (!folder_) return;
  const qsizetype kept = job.facts.thumbnail_bytes.size();
  pending_bytes_.fetch_add(kept, std::memory_order_relaxed);
  pool_.start([this, &job, kept] {
    make_one(job, *folder_, earlier_);
    job.facts.thumbnail_bytes = QByteArray();
    pending_bytes_.fetch_sub(kept, std::memory_order_relaxed);
    done_.fetch_add(1, std::memory_order_relaxed);
  });
}

void AlbumPreviewStep::discard() {
  pool_.waitForDone();
  if (!folder_) return;
  QList<AnsiText> written;
  for (const Job& job : jobs_) {
    if (!job.file_name.isEmpty()) written.append(job.file_name);
  }
  remove_own_folder(folder_->folder, written);
  folder_.reset();
}

void AlbumPreviewStep::finish(std::span<PhotoRow> rows, AlbumLog& log) {
  const qsizetype count = static_cast<qsizetype>(rows.size());
  log.step(QStringLiteral("Making previews of ") + format_int(static_cast<std::int32_t>(count)) +
           QStringLiteral(" photos..."));
  if (!folder_ && !jobs_.empty()) {
    log.step(QStringLiteral("No previews: ") + folder_error_);
    return;
  }
  // The calling thread reports progress about 30 times a second (a window repaints there) until
  // the pool is through.
  while (!pool_.waitForDone(30)) log.step_progress(done_.load(std::memory_order_relaxed), count);
  log.step_progress(count, count);

  std::int32_t made = 0, reused = 0, failed = 0;
  for (std::size_t i = 0; i < rows.size() && i < jobs_.size(); ++i) {
    const Job& job = jobs_[i];
    if (job.file_name.isEmpty()) {
      ++failed;
      log.step_failure(QStringLiteral("No preview of ") + to_wide(rows[i].path) +
                       QStringLiteral(": ") + job.error);
      continue;
    }
    (job.reused ? reused : made) += 1;
    rows[i].preview_url = job.url;
  }
  log.step(QStringLiteral("Previews: ") + format_int(made) + QStringLiteral(" made, ") +
           format_int(reused) + QStringLiteral(" reused, ") + format_int(failed) +
           QStringLiteral(" failed."));
}
