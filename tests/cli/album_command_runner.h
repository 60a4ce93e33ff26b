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

// The folder "." and `line` after it, as a folder argument's photos are printed: joined with the
// platform's separator.
QByteArray in_dot(const QByteArray& line);

// Writes into `folder` a program for TRAILBOOK_OPENER that writes the file it was given, and a
// line end, into `record` (a shell script; on Windows a batch file). Returns its path.
QString write_recording_opener(const QString& folder, const QString& record);
// The line end it writes.
extern const QByteArray recorded_line_end;

// Copies the named sample photos (the first day's twelve when `names` is empty) into `folder`.
void copy_samples(const QString& folder, const QStringList& names = {});

// Writes `bytes` to a new file; the test fails when it cannot.
void write_file(const QString& path, const QByteArray& bytes);
QByteArray read_file(const QString& path);
