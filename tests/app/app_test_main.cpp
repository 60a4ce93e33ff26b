// Window tests run without a display. ctest's test discovery starts this binary without the
// test environment, so the platform is chosen here when nobody chose one.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler default_handler = nullptr;

// The offscreen platform warns each time a fixed-size window tells it its size limits.
void quiet_message_handler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (message.contains(QStringLiteral("does not support propagateSizeHints"))) return;
  default_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  default_handler = qInstallMessageHandler(quiet_message_handler);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trailbook"));
  return RUN_ALL_TESTS();
}
