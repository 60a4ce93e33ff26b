#pragma once
// Where the album road writes its log: the window's log box, standard output, or a test's list.
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
};
