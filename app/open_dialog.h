#pragma once
// Running the multi-select file-open dialog, and the filter form it understands.
#include <QFileDialog>
#include <QStringList>
#include <functional>

#include "text/text_types.h"

// Qt's name filter for a caption and its patterns: "Photos", {"*.jpg", "*.jpeg"} gives
// "Photos (*.[jJ][pP][gG] *.[jJ][pP][eE][gG])". Letters match either case, so IMG_0001.JPG is
// listed on case-sensitive file systems too. No patterns list every file.
QString qt_name_filter(const WideText& caption, const QStringList& patterns);

// Sets up a dialog for choosing several existing files; it can be resized.
void configure_open_dialog(QFileDialog& dialog);

// When set, runs in place of the dialog: returns false for "cancelled", else fills `files`.
extern std::function<bool(QFileDialog& dialog, QStringList& files)> open_dialog_hook;

// Shows the dialog modally; true and the chosen full paths when the user confirms.
bool run_open_dialog(QFileDialog& dialog, QStringList& files);
