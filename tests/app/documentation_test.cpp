// What the user reads: readme.txt (Help > Readme) names what the window does now, and the
// README says what differs from the original behaviour and how a packager sets the address.
#include <gtest/gtest.h>

#include <QFile>

#include "app/Unit1.h"

namespace {

QString source_text(const char* name) {
  QFile file(QStringLiteral(TRAILBOOK_SOURCE_DIR "/") + QLatin1String(name));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString section(const QString& text, const QString& heading) {
  const qsizetype start = text.indexOf(heading);
  if (start < 0) return {};
  const qsizetype end = text.indexOf(QStringLiteral("\n#"), start + heading.size());
  return text.mid(start, end < 0 ? -1 : end - start);
}

TEST(Documentation, ReadmeTxtDescribesTheWindowAsItIs) {
  const QString readme = source_text("readme.txt").simplified();
  TForm1 form;
  for (const QMenu* menu : {form.File1, form.Help1}) {
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const QString caption = action->text().remove(u'&').remove(QStringLiteral("..."));
      EXPECT_TRUE(readme.contains(caption)) << caption.toStdString();
    }
  }
  EXPECT_TRUE(readme.contains(QStringLiteral("_previews")));
  EXPECT_TRUE(readme.contains(QStringLiteral("Sharing an album")));
  EXPECT_FALSE(readme.contains(QStringLiteral("come in a later version")));
  EXPECT_FALSE(readme.contains(QStringLiteral("writes nothing but the album pages.")));
}

TEST(Documentation, ReadmeNamesTheReaderChangesAndTheHomePageSetting) {
  const QString readme = source_text("README.md");
  const QString notice = section(readme, QStringLiteral("### Things you may notice"));
  EXPECT_TRUE(notice.contains(QStringLiteral("last reference letter")));
  EXPECT_TRUE(notice.contains(QStringLiteral("up to the end of the file")));
  EXPECT_TRUE(notice.contains(QStringLiteral("{vorn_preview_urls}")));
  EXPECT_TRUE(section(readme, QStringLiteral("## Installing"))
                  .contains(QStringLiteral("-DTRAILBOOK_HOME_URL=")));
}

}  // namespace
