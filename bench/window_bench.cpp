// Times the real window making an album: TForm1 shown on the display of the session (run it
// under xvfb-run), File > Add Folder... or Add Photos... chosen, the dialog answered by the
// dialog hook with the folder or every photo in it, the page's opening caught by the shell hook.
//   bench_window [--files] [--gaps] PHOTO_FOLDER
// Prints one line: photos, seconds from the menu choice to the page handed to the shell, the
// process's peak memory and processor time, the longest time the event loop went without a pass
// (a 5 ms timer's longest gap) and the longest time between two paints of the window; with
// --gaps also every pause of the event loop of 50 ms or more, with the status bar's text then.
// bench/window_bench.sh runs it side by side with trailbook-album.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "album/photo_folder.h"
#include "app/Unit1.h"
#include "app/message_boxes.h"
#include "app/open_dialog.h"
#include "app/shell_open.h"
#include "text/text_ops.h"

namespace {

// Moments (ms since the start) of every paint of a widget of the window.
class PaintClock : public QObject {
 public:
  explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
  std::vector<qint64> paints;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && object->isWidgetType())
      paints.push_back(clock_.elapsed());
    return false;
  }

 private:
  const QElapsedTimer& clock_;
};

// The longest gap between consecutive moments within [from, to], the ends included.
qint64 longest_gap(std::vector<qint64> moments, qint64 from, qint64 to) {
  moments.push_back(from);
  moments.push_back(to);
  std::sort(moments.begin(), moments.end());
  qint64 longest = 0;
  for (std::size_t i = 1; i < moments.size(); ++i) {
    if (moments[i] < from || moments[i - 1] > to) continue;
    longest = std::max(longest, moments[i] - std::max(moments[i - 1], from));
  }
  return longest;
}

double seconds_of(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  bool by_files = false;
  bool show_gaps = false;
  const char* folder_arg = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--files") == 0) {
      by_files = true;
    } else if (std::strcmp(argv[i], "--gaps") == 0) {
      show_gaps = true;
    } else {
      folder_arg = argv[i];
    }
  }
  if (folder_arg == nullptr) {
    std::fprintf(stderr, "usage: bench_window [--files] [--gaps] PHOTO_FOLDER\n");
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trailbook"));
  const WideText folder = QDir(QString::fromLocal8Bit(folder_arg)).absolutePath();
  QElapsedTimer listing;
  listing.start();
  const qsizetype photo_count = photo_files_in(to_ansi(folder)).size();
  const qint64 listing_ms = listing.elapsed();

  QElapsedTimer clock;
  clock.start();
  qint64 opened_at = -1;
  WideText page;
  open_dialog_hook = [&](QFileDialog&, QStringList& files) {
    files.clear();
    if (by_files) {
      for (const AnsiText& photo : photo_files_in(to_ansi(folder))) files.append(to_wide(photo));
    } else {
      files.append(folder);
    }
    return true;
  };
  shell_open_hook = [&](const WideText& target) {
    opened_at = clock.elapsed();
    page = target;
  };
  message_box_hook = [](const MessageBoxRequest& box) {
    std::fprintf(stderr, "box: %s\n", box.text.toLocal8Bit().constData());
  };

  TForm1 form;
  form.show();
  // Let the window come up on the display before the clock starts.
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

  PaintClock paints(clock);
  application.installEventFilter(&paints);
  std::vector<qint64> passes;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] { passes.push_back(clock.elapsed()); });
  ticker.start(5);

  // What the status bar said when, to tell where the longest gaps fall (--gaps).
  std::vector<std::pair<qint64, QString>> statuses;
  QObject::connect(form.StatusBar1, &QStatusBar::messageChanged,
                   [&](const QString& text) { statuses.emplace_back(clock.elapsed(), text); });

  qint64 started_at = 0;
  QTimer::singleShot(20, &form, [&] {
    started_at = clock.elapsed();
    (by_files ? form.AddPhotos1 : form.AddFolder1)->trigger();
    QCoreApplication::quit();
  });
  QApplication::exec();
  ticker.stop();
  application.removeEventFilter(&paints);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const qint64 end = opened_at < 0 ? clock.elapsed() : opened_at;
  std::printf(
      "%s: %lld photos, %.2f s to the page, peak %ld MB, cpu %.2f s, longest without "
      "an event-loop pass %lld ms, longest between paints %lld ms (%zu paints), listing the "
      "folder alone %lld ms%s\n",
      by_files ? "window (Add Photos)" : "window (Add Folder)", static_cast<long long>(photo_count),
      static_cast<double>(end - started_at) / 1000.0, usage.ru_maxrss / 1024,
      seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime),
      static_cast<long long>(longest_gap(passes, started_at, end)),
      static_cast<long long>(longest_gap(paints.paints, started_at, end)), paints.paints.size(),
      static_cast<long long>(listing_ms), opened_at < 0 ? " - NO PAGE" : "");
  if (show_gaps) {
    passes.push_back(end);
    std::sort(passes.begin(), passes.end());
    for (std::size_t i = 1; i < passes.size(); ++i) {
      if (passes[i] - passes[i - 1] < 50) continue;
      QString status;
      for (const auto& [at, text] : statuses) {
        if (at <= passes[i - 1]) status = text;
      }
      std::printf("  %lld ms without a pass from %.3f s, after \"%s\"\n",
                  static_cast<long long>(passes[i] - passes[i - 1]),
                  static_cast<double>(passes[i - 1] - started_at) / 1000.0,
                  status.toLocal8Bit().constData());
    }
  }
  return opened_at < 0 ? 1 : 0;
}
