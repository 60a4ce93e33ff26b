#include "album/page/script_string_escape.h"

#include <algorithm>

namespace {

// Bytes that may start something to escape. 0xE2 leads U+2028/U+2029 in UTF-8; in other code
// pages it is an ordinary letter, which the careful path below keeps as it is.
bool may_need_escape(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value < 0x20 || byte == '"' || byte == '\\' || byte == '<' || value == 0xE2;
}

void append_unicode_escape(WideText& out, char16_t code) {
  out += QString::asprintf("\\u%04X", static_cast<unsigned>(code));
}

}  // namespace

AnsiText escape_for_script_string(const AnsiText& text) {
  // Almost every name needs nothing: hand it back without converting it.
  if (std::none_of(text.cbegin(), text.cend(), may_need_escape)) return text;

  // The careful path works on characters, not bytes, so that no byte of a multi-byte
  // character is taken for a quote or a backslash.
  const WideText wide = to_wide(text);
  WideText out;
  out.reserve(wide.size() + 16);
  for (const QChar c : wide) {
    const char16_t code = c.unicode();
    if (code == u'\\' || code == u'"') {
      out += u'\\';
      out += c;
    } else if (code < 0x20 || code == u'<' || code == 0x2028 || code == 0x2029) {
      append_unicode_escape(out, code);
    } else {
      out += c;
    }
  }
  return to_ansi(out);
}
