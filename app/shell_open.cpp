#include "app/shell_open.h"

#include <QDesktopServices>

std::function<void(const WideText& target)> shell_open_hook;

QUrl shell_target_url(const WideText& target) {
  const QUrl url(target, QUrl::StrictMode);
  // A one-letter scheme is a Windows drive ("C:\..."), not an address.
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromLocalFile(target);
}

void open_with_shell(const WideText& target) {
  if (shell_open_hook) {
    shell_open_hook(target);
    return;
  }
  // The result is deliberately ignored: a missing file or a missing browser is the desktop's
  // business, and the program carries on as it was.
  QDesktopServices::openUrl(shell_target_url(target));
}
