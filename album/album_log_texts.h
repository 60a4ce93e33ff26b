#pragma once
// Log texts that more than one stage of the add-photos command writes.
#include "text/text_types.h"

// Opens the list of files and closes it before the summary.
inline WideText log_separator_line() {
  return QStringLiteral("----------------------------------------------------------------");
}
