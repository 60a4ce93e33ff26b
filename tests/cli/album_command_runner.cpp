#include "album_command_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "tests/platform_expectations.h"

QList<QByteArray> AlbumCommandRun::out_lines() const {
  QList<QByteArray> lines = out.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

const QByteArray recorded_line_end = on_windows ? "\r\n" : "\n";

QString write_recording_opener(const QString& folder, const QString& record) {
  // The record appears whole or not at all: written beside it, then renamed.
  if (on_windows) {
    const QString opener = folder + QStringLiteral("/opener.cmd");
    write_file(opener,
               "@echo off\r\necho %~1>\"%~dp0opened.part\"\r\nmove /y \"%~dp0opened.part\" \"" +
                   QDir::toNativeSeparators(record).toUtf8() + "\" >nul\r\n");
    return opener;
  }
  const QString opener = folder + QStringLiteral("/opener.sh");
  write_file(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$0.part\" && mv \"$0.part\" " +
                         QFile::encodeName(record) + "\n");
  QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return opener;
}

QByteArray in_dot(const QByteArray& line) {
  return '.' + QByteArray(1, QDir::separator().toLatin1()) + line;
}

AlbumCommandRun run_album_command(const QStringList& arguments, const QString& working_folder,
                                  const QProcessEnvironment& environment, const QString& program) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setProcessEnvironment(environment);
  if (!working_folder.isEmpty()) process.setWorkingDirectory(working_folder);
  process.start();
  AlbumCommandRun run;
  if (!process.waitForStarted(10000) || !process.waitForFinished(120000)) {
    ADD_FAILURE() << "trailbook-album did not run: " << process.errorString().toStdString();
    process.kill();
    return run;
  }
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  // The Windows C runtime ends each line written as text with CR LF; the command never writes a
  // CR of its own (it writes \r).
  run.out.replace("\r\n", "\n");
  run.err.replace("\r\n", "\n");
  run.exit_status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  return run;
}

void copy_samples(const QString& folder, const QStringList& names) {
  const QDir samples(QStringLiteral(TRAILBOOK_SAMPLES_DIR));
  const QStringList chosen =
      names.isEmpty() ? samples.entryList({QStringLiteral("IMG_01??.JPG")}, QDir::Files) : names;
  ASSERT_FALSE(chosen.isEmpty());
  for (const QString& name : chosen) {
    ASSERT_TRUE(QFile::copy(samples.filePath(name), QDir(folder).filePath(name)))
        << name.toStdString();
  }
}

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}
