#pragma once
// What the add-photos command needs of the window that runs it, besides its log: the open
// dialog, the message box, the shell, the clock, and its command buttons.
#include <QDateTime>
#include <QStringList>

#include "album/album_log.h"
#include "text/text_types.h"

class AlbumHost : public AlbumLog {
 public:
  // Shows the multi-select open dialog for photos. Returns false when the user cancels;
  // otherwise `files` holds the chosen full paths.
  virtual bool pick_photo_files(QStringList& files) = 0;
  // Shows the folder dialog for Add Folder. Returns false when the user cancels; otherwise
  // `folder` holds the chosen folder's full path.
  virtual bool pick_photo_folder(WideText& folder) = 0;
  virtual void clear_log() = 0;
  // A plain modal message (OK only, no icon), captioned with the application title.
  virtual void show_message(const WideText& text) = 0;
  virtual void open_with_shell(const WideText& target) = 0;
  virtual QDateTime local_now() = 0;
  // Disables the commands that would start a nested run while one is under way.
  virtual void set_command_running(bool running) = 0;
};
