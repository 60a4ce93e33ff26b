#pragma once
// Running the multi-select file-open dialog, and the filter form it understands.
#include <QFileDialog>
#include <QStringList>
#include <functional>

#include "text/text_types.h"

// Turns a filter written "Caption|*.jpg;*.jpeg|Other|*.x" into Qt's name filters
// ("Caption (*.[jJ][pP][gG] *.[jJ][pP][eE][gG])", "Other (*.[xX])"). Letters match either case,
// so IMG_0001.JPG is listed on case-sensitive file systems too. A caption without patterns
// lists every file.
QStringList qt_name_filters(const WideText& filter);

// Sets up a dialog for choosing several existing files; it can be resized.
void configure_open_dialog(QFileDialog& dialog);

// When set, runs in place of the dialog: returns false for "cancelled", else fills `files`.
extern std::function<bool(QFileDialog& dialog, QStringList& files)> open_dialog_hook;

// Shows the dialog modally; true and the chosen full paths when the user confirms.
bool run_open_dialog(QFileDialog& dialog, QStringList& files);
