#pragma once
// Small helpers shared by the album tests.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <ostream>

#include "album/photo_table.h"

// Readable test failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

inline PhotoRow make_row(const char* file_name, const char* date_time, const char* latitude,
                         const char* longitude) {
  PhotoRow row = make_photo_row(file_name, PhotoPosition{latitude, longitude, date_time});
  row.file_name = file_name;  // names here may hold a '/', which a path would split at
  return row;
}

inline QByteArray read_bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void write_bytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}
