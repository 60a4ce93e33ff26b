#pragma once
// Where the album road writes its log: the window's log box, standard output, or a test's list.
#include <functional>

#include "text/text_types.h"

class AlbumLog {
 public:
  virtual ~AlbumLog() = default;

  virtual void append_line(const WideText& line) = 0;
  // Called once per photo, right after its first log line (`index` counts from 0): a window
  // repaints and handles input there, a console draws its progress.
  virtual void photo_started(qsizetype index, qsizetype count) {
    (void)index;
    (void)count;
  }
  // A step after the per-photo blocks (the previews): its name when it starts and its summary when
  // it ends (a window shows them in its log and status bar), and how far it has come in between.
  virtual void step(const WideText& text) { (void)text; }
  // A line of the step that says what failed (a photo without a preview); a console shows these
  // even where it shows no progress.
  virtual void step_failure(const WideText& text) { step(text); }
  virtual void step_progress(qsizetype done, qsizetype count) {
    (void)done;
    (void)count;
  }
  // Runs work that may hold the caller for long (listing a large folder; ordering the photos and
  // writing the page), which `what` names: a window runs it on another thread, shows `what` in
  // its status bar and repaints meanwhile. `work` writes nothing to this log and its errors reach
  // the caller. By default it runs right here.
  virtual void wait_for(const WideText& what, const std::function<void()>& work) {
    (void)what;
    work();
  }
};
