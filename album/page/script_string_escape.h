#pragma once
#include "text/text_types.h"

// Makes a text safe inside a double-quoted JavaScript string in an HTML page: backslash and
// double quote get a backslash, '<' becomes \u003C (no "</script>" or "<!--" can form),
// control characters and the line separators U+2028/U+2029 become \uXXXX escapes. Every other
// character, and so every plain file name, comes out unchanged.
AnsiText escape_for_script_string(const AnsiText& text);
