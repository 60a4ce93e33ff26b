#pragma once
// The application's two modal boxes: the plain message box of the commands and the error box
// that reports an error which ended a command. Both carry the application title as caption.
#include <QMessageBox>
#include <functional>

#include "text/text_types.h"

// The application title: caption of every message and error box.
inline const char* const application_title = "Trailbook";

struct MessageBoxRequest {
  QMessageBox::Icon icon;
  WideText caption;
  WideText text;
};

// When set, receives every box instead of showing it, so nothing waits for a click.
extern std::function<void(const MessageBoxRequest& box)> message_box_hook;

// OK only, no icon.
void show_plain_message(const WideText& text);

// The error box's text: a '.' is appended when the last character's code is above that of '.'
// (so nothing is added after ')', '.', a blank or most punctuation).
WideText error_box_text(const WideText& message);

// OK only, error icon, text as error_box_text() makes it.
void show_error_box(const WideText& message);
