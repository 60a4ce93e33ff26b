#pragma once
// Runs trailbook-album as its users do and collects what it printed.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct AlbumCommandRun {
  int exit_status = -1;
  QByteArray out;
  QByteArray err;
  // Standard output cut into lines (LF), without the empty text after the last LF.
  QList<QByteArray> out_lines() const;
};

AlbumCommandRun run_album_command(
    const QStringList& arguments, const QString& working_folder = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    const QString& program = TRAILBOOK_ALBUM_PROGRAM);

// Copies the named sample photos (the first day's twelve when `names` is empty) into `folder`.
void copy_samples(const QString& folder, const QStringList& names = {});

// Writes `bytes` to a new file; the test fails when it cannot.
void write_file(const QString& path, const QByteArray& bytes);
QByteArray read_file(const QString& path);
