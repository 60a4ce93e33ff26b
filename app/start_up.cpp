#include "app/start_up.h"

#include <QApplication>

#include "app/Unit1.h"
#include "app/app_icon.h"
#include "app/error_report.h"
#include "app/message_boxes.h"

int run_trailbook(int& argc, char** argv) {
  QApplication application(argc, argv);
  // The name only: a display name would be appended to every window caption.
  QApplication::setApplicationName(QString::fromLatin1(application_title));
  QApplication::setWindowIcon(trailbook_icon());
  run_guarded([] {
    TForm1 form;
    // Showing the window runs FormShow, which reports its own errors and lets the showing go on.
    form.show();
    QApplication::exec();
  });
  return 0;
}
