#pragma once
// The error raised for failures that end a command (a file that cannot be opened, an invalid
// number text, ...). The main window reports it in the error box; the message is UTF-8.
#include <stdexcept>

#include "text/text_types.h"

class AppError : public std::runtime_error {
 public:
  explicit AppError(const WideText& message) : std::runtime_error(message.toStdString()) {}
  WideText message() const { return QString::fromUtf8(what()); }
};
