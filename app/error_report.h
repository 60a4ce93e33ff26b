#pragma once
// The one place where errors that escape a handler end: they are shown in the error box and the
// program goes on. No exception may unwind through Qt's event loop.
#include <exception>
#include <utility>

#include "text/text_types.h"

// The message the error box shows for an error: its own message, or that of the innermost
// nested error with a non-empty one. Memory exhaustion reads "Out of memory"; an object that is
// not a std::exception has an empty message.
WideText error_message_of(const std::exception_ptr& error);

// Shows the error being handled in the error box; call it from a catch block. Never throws.
void report_current_exception() noexcept;

// Runs `action` and reports whatever escapes it.
template <class Action>
void run_guarded(Action&& action) noexcept {
  try {
    std::forward<Action>(action)();
  } catch (...) {
    report_current_exception();
  }
}
