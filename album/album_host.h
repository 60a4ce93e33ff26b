#pragma once
// What the add-photos command needs of the window that runs it. The main window implements it
// with its dialog, log box and message box; the command-line front end and the tests have their
// own implementations.
#include <QDateTime>
#include <QStringList>

#include "text/text_types.h"

class AlbumHost {
 public:
  virtual ~AlbumHost() = default;

  // Shows the multi-select open dialog. `filter` is "Caption|pattern;pattern;...".
  // Returns false when the user cancels; otherwise `files` holds the chosen full paths.
  virtual bool pick_photo_files(const WideText& title, const WideText& filter,
                                QStringList& files) = 0;
  virtual void clear_log() = 0;
  virtual void append_log_line(const WideText& line) = 0;
  // A plain modal message (OK only, no icon), captioned with the application title.
  virtual void show_message(const WideText& text) = 0;
  // Lets the window repaint and handle input once; a quit request is only noted.
  virtual void process_pending_events() = 0;
  virtual void open_with_shell(const WideText& target) = 0;
  virtual QDateTime local_now() = 0;
  // Disables the commands that would start a nested run while one is under way.
  virtual void set_command_running(bool running) = 0;
};
