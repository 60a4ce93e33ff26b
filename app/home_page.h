#pragma once
// The product's web addresses. The home page address is a build setting (TRAILBOOK_HOME_URL)
// and always ends with '/'.
#include "text/text_types.h"

AnsiText home_page_address();

// The status bar's text: the home page address without its final '/'.
WideText home_page_display_text();

// The home page address followed by "support.htm".
WideText online_help_address();
