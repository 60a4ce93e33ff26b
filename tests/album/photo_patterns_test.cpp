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
      {"IMG_0001.JPG", true},
      {"img_0001.jpg", true},
      {"scan.Jpeg", true},
      {"raw.RAW", true},
      {"map.TIF", true},
      {"map.tiff", true},
      {".jpg", true},
      {"photo.jpg.txt", false},
      {"photo.jpgx", false},
      {"photo.png", false},
      {"jpg", false},
      {"notes.txt", false},
      {"photo.tif~", false},
      {"archive.jpg.zip", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_photo_file_name(c.name), c.is_photo) << c.name;
}

}  // namespace
