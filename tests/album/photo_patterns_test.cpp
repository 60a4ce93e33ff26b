#include "album/photo_patterns.h"

#include <gtest/gtest.h>

namespace {

TEST(PhotoPatterns, DialogOffersEveryPatternInOneEntry) {
  EXPECT_EQ(photo_dialog_title(), "Open photo files:");
  EXPECT_EQ(photo_dialog_caption(), "Photos(*.jpg;*.jpeg;*.raw;*.tiff;*.tif)");
  EXPECT_EQ(photo_name_patterns().join(u';'),
            "*.jpg;*.jpeg;*.raw;*.tiff;*.tif;*.heic;*.heif;*.hif;*.avif;*.png;*.webp;*.dng;*"
            ".nef;*.cr2;*.cr3;*.arw;*.orf;*.rw2;*.pef;*.raf");
}

TEST(PhotoPatterns, MatchesNamesWhateverTheirLetterCase) {
  const struct {
    const char* name;
    bool is_photo;
  } cases[] = {
      {"IMG_0001.JPG", true},  {"scan.Jpeg", true},        {"raw.RAW", true},
      {"map.tif", true},       {"map.TIFF", true},         {"photo.jpg.txt", false},
      {"photo.png", true},     {"archive.jpg.zip", false}, {"jpg", false},
      {"IMG_4412.HEIC", true}, {"pic.Avif", true},         {"DSC_0001.NEF", true},
      {"_MG_0001.cr3", true},  {"DSCF0001.RAF", true},     {"raw.rw2.bak", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_photo_file_name(c.name), c.is_photo) << c.name;
}

}  // namespace
