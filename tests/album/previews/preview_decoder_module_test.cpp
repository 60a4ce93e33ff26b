// The decoder module beside the test program, loaded as the album loads it: it gives what the
// decoders linked in give, and a file that is no such module is refused with the reason.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "album/previews/photo_preview.h"
#include "album/previews/preview_decoder_module.h"
#include "tests/platform_expectations.h"
#include "text/text_types.h"

namespace {

TEST(PreviewDecoderModule, MakesThePreviewsOfTheDecodersLinkedIn) {
  const LoadedPreviewDecoder loaded = load_preview_decoder(preview_decoder_module_file());
  ASSERT_NE(loaded.decoder, nullptr) << loaded.error.toStdString();
  QTemporaryDir work;
  QImage image(900, 600, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  const QString photo = work.filePath(QStringLiteral("plain.jpg"));
  ASSERT_TRUE(image.save(photo, "jpg"));

  WideText direct_error, module_error;
  const QByteArray direct = make_preview_bytes(to_ansi(photo), direct_error);
  const QByteArray through_module = loaded.decoder->preview_bytes(to_ansi(photo), module_error, {});
  ASSERT_FALSE(direct.isEmpty()) << direct_error.toStdString();
  EXPECT_EQ(through_module, direct);
  // A file it cannot read fails there with the decoders' own reason.
  const QString missing = work.filePath(QStringLiteral("missing.jpg"));
  EXPECT_TRUE(loaded.decoder->preview_bytes(to_ansi(missing), module_error, {}).isEmpty());
  make_preview_bytes(to_ansi(missing), direct_error);
  EXPECT_EQ(module_error, direct_error);
}

TEST(PreviewDecoderModule, RefusesWhatIsNoDecoderModule) {
  QTemporaryDir work;
  const QString garbage = work.filePath(QStringLiteral("garbage.so"));
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  const struct {
    QString file;
    QString reason;
  } cases[] = {
      {work.filePath(QStringLiteral("none.so")),
       native_path(work.filePath(QStringLiteral("none.so"))) + QStringLiteral(" is missing")},
      {garbage, QStringLiteral("Cannot load library ") + native_path(garbage)},
  };
  for (const auto& each : cases) {
    const LoadedPreviewDecoder loaded = load_preview_decoder(each.file);
    EXPECT_EQ(loaded.decoder, nullptr) << each.file.toStdString();
    EXPECT_TRUE(loaded.error.startsWith(QStringLiteral("the image decoders cannot be loaded: ") +
                                        each.reason))
        << loaded.error.toStdString();
  }
}

}  // namespace
