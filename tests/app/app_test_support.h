#pragma once
// Stand-ins for the desktop: message boxes, shell opens and the file dialog are captured
// instead of shown, and the program lives in a temporary folder of the test's choosing.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "album/program_path.h"
#include "app/message_boxes.h"
#include "app/open_dialog.h"
#include "app/shell_open.h"

class DesktopCapture {
 public:
  DesktopCapture() {
    message_box_hook = [this](const MessageBoxRequest& box) { boxes.push_back(box); };
    shell_open_hook = [this](const WideText& target) { shell_targets.append(target); };
    open_dialog_hook = [this](QFileDialog& dialog, QStringList& files) {
      return dialog_answer(dialog, files);
    };
  }
  ~DesktopCapture() {
    message_box_hook = nullptr;
    shell_open_hook = nullptr;
    open_dialog_hook = nullptr;
  }
  DesktopCapture(const DesktopCapture&) = delete;
  DesktopCapture& operator=(const DesktopCapture&) = delete;

  std::vector<MessageBoxRequest> boxes;
  QStringList shell_targets;
  // Cancels unless a test answers otherwise.
  std::function<bool(QFileDialog&, QStringList&)> dialog_answer = [](QFileDialog&, QStringList&) {
    return false;
  };
};

// A program folder (named `folder_name`, inside a fresh temporary folder) that
// program_file_path() points into while this object lives.
class ProgramFolder {
 public:
  explicit ProgramFolder(const QString& folder_name = QStringLiteral("Trailbook")) {
    QDir(temp_.path()).mkpath(folder_name);
    folder_ = temp_.path() + u'/' + folder_name + u'/';
    override_program_file_path(folder_ + QStringLiteral("trailbook"));
  }
  ~ProgramFolder() { override_program_file_path({}); }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const QString& path() const { return folder_; }

  void write_version_file(const QByteArray& bytes) const {
    QDir(folder_).mkpath(QStringLiteral("ini"));
    QFile file(folder_ + QStringLiteral("ini/t.txt"));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  }

 private:
  QTemporaryDir temp_;
  QString folder_;
};
