#include "app/message_boxes.h"

#include <QApplication>

std::function<void(const MessageBoxRequest& box)> message_box_hook;

namespace {

void show_box(QMessageBox::Icon icon, const WideText& text) {
  const MessageBoxRequest request{icon, QString::fromLatin1(application_title), text};
  if (message_box_hook) {
    message_box_hook(request);
    return;
  }
  // Owned by the active window so it stays in front of it; none is active before the main
  // window first shows.
  QMessageBox box(request.icon, request.caption, request.text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace

void show_plain_message(const WideText& text) {
  show_box(QMessageBox::NoIcon, text);
}

WideText error_box_text(const WideText& message) {
  if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
  return message;
}

void show_error_box(const WideText& message) {
  show_box(QMessageBox::Critical, error_box_text(message));
}
