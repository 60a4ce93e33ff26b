#include "app/home_page.h"

AnsiText home_page_address() {
  return AnsiText(TRAILBOOK_HOME_URL);
}

WideText home_page_display_text() {
  WideText text = to_wide(home_page_address());
  if (text.endsWith(u'/')) text.chop(1);
  return text;
}

WideText online_help_address() {
  static const WideText address = to_wide(home_page_address()) + QStringLiteral("support.htm");
  return address;
}
