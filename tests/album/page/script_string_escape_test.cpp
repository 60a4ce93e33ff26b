#include "album/page/script_string_escape.h"

#include <gtest/gtest.h>

namespace {

TEST(EscapeForScriptString, KeepsPlainTextAndEscapesWhatCouldBreakThePage) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"IMG_0412.JPG", "IMG_0412.JPG"},
      {"2019:07:14 10:22:03", "2019:07:14 10:22:03"},
      {"", ""},
      {"it's & <ok>?", "it's & \\u003Cok>?"},
      {"caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC.jpg", "caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC.jpg"},
      {"\xE2\x82\xAC"
       "5.jpg",
       "\xE2\x82\xAC"
       "5.jpg"},  // the euro sign shares U+2028's lead byte
      {"say \"hi\".jpg", "say \\\"hi\\\".jpg"},
      {"back\\slash", "back\\\\slash"},
      {"</script><script>alert(1)</script>",
       "\\u003C/script>\\u003Cscript>alert(1)\\u003C/script>"},
      {"<!--", "\\u003C!--"},
      {"a\nb\rc\td\x01"
       "e\x1F",
       "a\\u000Ab\\u000Dc\\u0009d\\u0001e\\u001F"},
      {"x\xE2\x80\xA8y\xE2\x80\xA9z", "x\\u2028y\\u2029z"},
      {"\"\\", "\\\"\\\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(escape_for_script_string(c.text), AnsiText(c.expected)) << c.text;
  }
}

}  // namespace
