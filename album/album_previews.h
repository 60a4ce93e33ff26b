#pragma once
// The preview step of an album: a preview for every photo on the page, in a folder beside it.
#include <atomic>
#include <deque>
#include <optional>
#include <span>

#include "album/album_log.h"
#include "album/photo_table.h"
#include "album/preview_folder.h"
#include "album/worker_pool.h"
#include "text/text_types.h"

// Makes previews on a pool of worker threads while the photos are still being read: each row is
// handed over as it is added, and finish() waits for the rest and reports the step.
class AlbumPreviewStep {
 public:
  // `page_path` is the name the page is to take; it changes ("-2" and so on) when the preview
  // folder is made and the name is taken.
  explicit AlbumPreviewStep(AnsiText& page_path) : page_path_(page_path) {}
  AlbumPreviewStep(const AlbumPreviewStep&) = delete;
  AlbumPreviewStep& operator=(const AlbumPreviewStep&) = delete;
  ~AlbumPreviewStep() { pool_.waitForDone(); }

  // Starts the preview of the row added next to the album's rows, taking the thumbnail bytes its
  // read kept out of it. The first one makes the folder named after the page, reusing valid
  // previews of earlier albums beside it.
  void add(PhotoRow& row);

  // Whether the next photo's read should keep its thumbnail's bytes: only while the bytes handed
  // over and not yet written stay within a bound, as the reading runs ahead of the writing.
  bool wants_thumbnail_bytes() const {
    return pending_bytes_.load(std::memory_order_relaxed) < most_pending_bytes;
  }

  // Waits for the previews and sets each row's preview_url ("" when its preview failed), `rows`
  // being the rows in the order they were added. The step's texts go to log.step, not into the
  // album's log lines: its start, each failure in the rows' order, its summary; its progress goes
  // to log.step_progress. When the folder could not be made, that is reported and no row gets a
  // preview.
  void finish(std::span<PhotoRow> rows, AlbumLog& log);

  // Removes the folder this step made and the previews in it, for a page that was not written.
  void discard();
  // Frees what finish() left of the jobs; any thread may call it once finish() has returned.
  void release_jobs() { std::deque<Job>().swap(jobs_); }

  struct Job {
    AnsiText photo;
    PhotoFileFacts facts;
    AnsiText file_name;  // of the preview written; empty when none
    AnsiText url;        // of the preview, relative to the page
    bool reused = false;
    WideText error;
  };

 private:
  AnsiText& page_path_;
  std::optional<PreviewFolder> folder_;
  WideText folder_error_;
  EarlierPreviewFolders earlier_;
  std::deque<Job> jobs_;  // adding keeps the jobs where the workers write their results
  std::atomic<qsizetype> done_{0};
  static constexpr qsizetype most_pending_bytes = 32 << 20;
  std::atomic<qsizetype> pending_bytes_{0};
  WorkerPool pool_;  // of its own, so that waiting for it waits for this step alone
};
