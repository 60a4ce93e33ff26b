#include "album/photo_patterns.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoPatterns, DialogOffersEveryPatternInOneEntry) {
  EXPECT_EQ(photo_dialog_title(), "Open photo files:");
  EXPECT_EQ(photo_dialog_caption(), "Photos");
  EXPECT_EQ(photo_name_patterns(), QStringList({"*.jpg", "*.jpeg", "*.raw", "*.tiff", "*.tif"}));
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
