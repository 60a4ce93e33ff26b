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

QStringList qt_name_filters(const WideText& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString pattern_text = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
    QString caption = parts[i].trimmed();
    if (caption.isEmpty() && pattern_text.isEmpty()) continue;  // an empty pair, e.g. "...|"
    if (caption.isEmpty()) caption = pattern_text;
    QStringList patterns;
    for (const QString& pattern : pattern_text.split(u';', Qt::SkipEmptyParts)) {
      if (!pattern.trimmed().isEmpty()) patterns.append(case_free_pattern(pattern.trimmed()));
    }
    if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
    filters.append(QStringLiteral("%1 (%2)").arg(caption, patterns.join(u' ')));
  }
  return filters;
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
