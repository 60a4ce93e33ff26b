#pragma once
#include <QStringList>

#include "text/text_types.h"

// Data files larger than this are refused.
inline constexpr qint64 largest_data_file = qint64{64} << 20;

// The bytes of a whole data file named by `path` as the file system's bytes (valid text or
// not), or the system's reason why it cannot be read: it cannot be opened, is no regular file (a
// folder, a pipe, a device), or is larger than largest_data_file.
struct DataFile {
  QByteArray bytes;
  WideText failure;  // empty when read; else the reason, as failure_reason gives it
};
DataFile read_data_file(const AnsiText& path);

// Reads a whole text file: UTF-8 / UTF-16 LE / UTF-16 BE by byte-order mark, else the process
// code page. Throws AppError "Cannot open file "<absolute path>". <reason>" when the file cannot
// be opened, or is no regular file (a folder, a pipe, a device), or is larger than
// largest_data_file.
WideText load_text(const AnsiText& path);
WideText load_text(const WideText& path);

// load_text cut into lines: lines end at CR, LF or CR LF; a NUL ends the text.
QStringList load_text_lines(const WideText& path);

// Cuts a text into lines by the same rule (CR, LF, CR LF; NUL ends it; no empty last line).
QStringList split_text_lines(const WideText& text);

// The system's text for a failure as error messages quote it: trailing blanks and periods cut.
WideText failure_reason(WideText reason);
