#include "app/open_dialog.h"

std::function<bool(QFileDialog& dialog, QStringList& files)> open_dialog_hook;

namespace {

// "*.jpg" -> "*.[jJ][pP][gG]": a bracket pair for every letter that has two cases.
QString case_free_pattern(const QString& pattern) {
  QString result;
  for (const QChar c : pattern) {
    const QChar lower = c.toLower();
    const QChar upper = c.toUpper();
    if (lower == upper) {
      result += c;
    } else {
      result += u'[';
      result += lower;
      result += upper;
      result += u']';
    }
  }
  return result;
}

}  // namespace

QString qt_name_filter(const WideText& caption, const QStringList& patterns) {
  QStringList case_free;
  for (const QString& pattern : patterns) case_free.append(case_free_pattern(pattern));
  if (case_free.isEmpty()) case_free.append(QStringLiteral("*"));
  return QStringLiteral("%1 (%2)").arg(caption, case_free.join(u' '));
}

void configure_open_dialog(QFileDialog& dialog) {
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // The captions alone: the bracketed patterns would only confuse the reader.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setSizeGripEnabled(true);
}

bool run_open_dialog(QFileDialog& dialog, QStringList& files) {
  if (open_dialog_hook) return open_dialog_hook(dialog, files);
  if (dialog.exec() != QDialog::Accepted) return false;
  files = dialog.selectedFiles();
  return true;
}
