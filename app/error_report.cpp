#include "app/error_report.h"

#include <new>
#include <stdexcept>

#include "app/message_boxes.h"

namespace {

WideText own_message(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("Out of memory");
  // AppError and the standard library's messages are UTF-8.
  return QString::fromUtf8(error.what());
}

}  // namespace

WideText error_message_of(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& caught) {
    const auto* nested = dynamic_cast<const std::nested_exception*>(&caught);
    if (nested && nested->nested_ptr()) {
      const WideText inner = error_message_of(nested->nested_ptr());
      if (!inner.isEmpty()) return inner;
    }
    return own_message(caught);
  } catch (...) {
    return {};
  }
}

void report_current_exception() noexcept {
  try {
    show_error_box(error_message_of(std::current_exception()));
  } catch (...) {
    // Showing the box failed too (memory exhausted); there is nobody left to tell.
  }
}
