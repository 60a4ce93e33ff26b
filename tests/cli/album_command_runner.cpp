#include "album_command_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

QList<QByteArray> AlbumCommandRun::out_lines() const {
  QList<QByteArray> lines = out.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
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
