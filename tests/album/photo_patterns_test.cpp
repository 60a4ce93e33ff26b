#include "album/photo_patterns.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoPatterns, DialogFilterListsEveryPatternTwice) {
  EXPECT_EQ(photo_dialog_filter(),
            "Photos(*.jpg;*.jpeg;*.raw;*.tiff;*.tif)|*.jpg;*.jpeg;*.raw;*.tiff;*.tif");
}

TEST(PhotoPatterns, MatchesNamesWhateverTheirLetterCase) {
  const struct {
    const char* name;
    bool is_photo;
  } cases[] = {
      {"IMG_0001.JPG", true}, {"scan.Jpeg", true},        {"raw.RAW", true},
      {"map.tif", true},      {"map.TIFF", true},         {"photo.jpg.txt", false},
      {"photo.png", false},   {"archive.jpg.zip", false}, {"jpg", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_photo_file_name(c.name), c.is_photo) << c.name;
}

}  // namespace
