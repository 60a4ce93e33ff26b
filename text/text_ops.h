#pragma once
#include <QDateTime>
#include <QStringList>
#include <cstdint>

#include "text/text_types.h"

// "%i": '-' for negatives, no grouping.
WideText format_int(std::int32_t value);

// "yyyymmddhhmmss" of a local date and time (milliseconds dropped).
WideText format_timestamp(const QDateTime& local_time);
// Reads the local clock; kept apart so callers and tests can supply their own time.
QDateTime current_local_time();

// The folder part of a path including its final separator, and the name after it.
// Separators are '/' on Unix and '\\' or ':' on Windows.
WideText folder_of(const WideText& path);
WideText name_of(const WideText& path);
// The same for a path in the process code page. On Unix the bytes are split as they are, so a
// name that is no valid text keeps every byte.
AnsiText ansi_folder_of(const AnsiText& path);
AnsiText ansi_name_of(const AnsiText& path);
