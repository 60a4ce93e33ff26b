#pragma once
// The desktop shell's open operation: hands a file or a web address to the user's default
// program for it (text editor, web browser) without waiting and without reporting failures.
#include <QUrl>
#include <functional>

#include "text/text_types.h"

// When set, receives every target instead of the desktop, so nothing is launched.
extern std::function<void(const WideText& target)> shell_open_hook;

void open_with_shell(const WideText& target);

// A web address stays as it is; anything else is a local file path.
QUrl shell_target_url(const WideText& target);
