#pragma once
// The preview step of an album: a preview for every photo on the page, in a folder beside it.
#include <atomic>
#include <deque>
#include <optional>
#include <span>

#include "album/album_log.h"
#include "album/photo_table.h"
#include "album/previews/preview_folder.h"
#include "album/worker_pool.h"
#include "text/text_types.h"

// Makes previews on a pool of worker threads while the photos are still being read: the folder is
// made for the first row, each row is handed over as it is added, and finish() waits for the rest
// and reports the step.
class AlbumPreviewStep {
 public:
  AlbumPreviewStep() = default;
  AlbumPreviewStep(const AlbumPreviewStep&) = delete;
  AlbumPreviewStep& operator=(const AlbumPreviewStep&) = delete;
  ~AlbumPreviewStep() { pool_.waitForDone(); }

  // Makes the folder named after the page that `page_path` names, reusing valid previews of
  // earlier albums beside it; once, before the first add(). Returns the name the page is to take
  // then: `page_path`, or one with a suffix ("-2" and so on) when that name or its folder's is
  // taken; `page_path` when the folder cannot be made (finish() reports that).
  AnsiText make_folder(const AnsiText& page_path);

  // Starts the preview of the row added next to the album's rows, taking the thumbnail bytes its
  // read kept out of it.
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
  std::optional<PreviewFolder> folder_;
  WideText folder_error_;
  EarlierPreviewFolders earlier_;
  std::deque<Job> jobs_;  // adding keeps the jobs where the workers write their results
  std::atomic<qsizetype> done_{0};
  static constexpr qsizetype most_pending_bytes = 32 << 20;
  std::atomic<qsizetype> pending_bytes_{0};
  WorkerPool pool_;  // of its own, so that waiting for it waits for this step alone
};
