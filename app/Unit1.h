#pragma once
// The main window: menu, log box, "Add Photos" button and status bar, laid out in Unit1.ui.
// Every handler that Qt calls is routed through one place that reports errors in the error box,
// so no exception ever reaches the event loop.
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMainWindow>
#include <functional>

#include "album/album_host.h"
#include "album/track/gpx_track.h"
#include "text/text_types.h"
#include "ui_Unit1.h"

class TForm1 : public QMainWindow, public Ui::TForm1, public AlbumHost {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Handlers, bound to their components in the constructor.
  void Button1Click();
  // Runs once, on the first showing: sets the program paths, home_url and the caption.
  void FormShow();
  void Exit1Click();
  void Readme1Click();
  void Homepage1Click();
  void OnlineHelp1Click();
  void AddPhotos1Click();
  // Makes the album of the photos directly inside the folder chosen, as trailbook-album does.
  void AddFolder1Click();
  // Reads the GPX files chosen and keeps their tracks for the next Add Photos.
  void AddTrack1Click();
  void ClearTracks1Click();

  // Runs a command, reports its error, and carries out a quit that was asked for while it ran
  // (Exit or closing the window during the command's event processing) once it has returned.
  void run_command(const std::function<void()>& command);

  // AlbumHost: what the add-photos command uses of the window.
  bool pick_photo_files(QStringList& files) override;
  bool pick_photo_folder(WideText& folder) override;
  // The open dialog for GPX files; false when the user cancels.
  bool pick_track_files(QStringList& files);
  void clear_log() override;
  // While an album is made, lines are kept back and go into the log box together, at most
  // about 30 times a second (and before anything else is shown); otherwise at once.
  void append_line(const WideText& line) override;
  // Lets the window repaint and handle input once per photo (a quit request is only noted);
  // the log's lines kept back and "Reading photo 5123 of 10000" in the status bar go out at most
  // about 30 times a second.
  void photo_started(qsizetype index, qsizetype count) override;
  // The preview step: its texts in the log and the status bar, its count in the status bar.
  void step(const WideText& text) override;
  void step_progress(qsizetype done, qsizetype count) override;
  // Runs `work` on a thread of its own with `what` in the status bar and repaints meanwhile,
  // about 30 times a second; input waits until the work is done.
  void wait_for(const WideText& what, const std::function<void()>& work) override;
  void show_message(const WideText& text) override;
  void open_with_shell(const WideText& target) override;
  QDateTime local_now() override;
  // At the end of a run the log gets its last lines and the status bar its fixed text back.
  void set_command_running(bool running) override;

  WideText template_path;      // program folder + "templates/template.html"
  AnsiText home_url;           // ends with '/'
  AnsiText version_file_path;  // program folder + "ini/t.txt"
  QFileDialog* OpenDialog1;    // multi-select file-open dialog, owned by the window
  TrackSet tracks;             // the tracks chosen with Add Track, until cleared

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <class Sender, class Signal>
  void bind(Sender* sender, Signal signal, void (TForm1::*handler)());
  void request_quit();
  // Runs the add-photos command, from the files chosen or from a folder.
  void add_photos_with_tracks(bool from_folder);
  // Whether a thirtieth of a second has passed since the log and the status bar last changed
  // during a run; if so, the clock starts again.
  bool progress_due();
  void flush_log();

  QStringList pending_lines_;  // lines for the log box, not yet in it
  bool lines_kept_back_ = false;
  QElapsedTimer since_progress_;
  bool form_shown_ = false;
  int command_depth_ = 0;
  bool quit_pending_ = false;
};
