#include "album/page/photo_urls.h"

#include <gtest/gtest.h>

#include "tests/platform_expectations.h"

namespace {

TEST(RelativePhotoUrl, LeadsFromThePageToThePhotoWithEveryByteKept) {
  const struct {
    const char* photo;
    const char* page_folder;
    const char* url;
  } cases[] = {
      {"/p/a.jpg", "/p/", "a.jpg"},
      {"/p/day 2/b#1%?.jpg", "/p/", "day%202/b%231%25%3F.jpg"},
      {"/q/c.jpg", "/p/", "../q/c.jpg"},
      {"/x/y/z.jpg", "/x/w/v/", "../../y/z.jpg"},
      {"/p/caf\xE9.jpg", "/p/", "caf%E9.jpg"},  // no valid UTF-8: the byte itself
      {"/p/caf\xC3\xA9.jpg", "/p/", "caf%C3%A9.jpg"},
      {"a.jpg", "/p/", "a.jpg"},  // a bare name lies beside the page
      {"/a.jpg", "/p/", "../a.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(relative_photo_url(c.photo, c.page_folder), AnsiText(c.url)) << c.photo;
  }
}

// Windows paths take '\' and '/' alike, drives and shares, in any letter case; the URL has '/'
// all the same. On Linux '\' and ':' are name characters, and such a path is one bare name.
TEST(RelativePhotoUrl, FollowsThePlatformsSeparatorsAndAlwaysWritesSlashes) {
  const struct {
    const char* photo;
    const char* page_folder;
    const char* windows_url;
    const char* linux_url;
  } cases[] = {
      {"C:\\p\\day 2\\a.jpg", "C:\\p\\", "day%202/a.jpg", "C%3A%5Cp%5Cday%202%5Ca.jpg"},
      {"C:\\q\\c.jpg", "C:/p/", "../q/c.jpg", "C%3A%5Cq%5Cc.jpg"},
      {"c:\\P\\b.jpg", "C:\\p\\", "b.jpg", "c%3A%5CP%5Cb.jpg"},
      {"\\\\nas\\fotos\\x\\a.jpg", "\\\\NAS\\fotos\\y\\", "../x/a.jpg",
       "%5C%5Cnas%5Cfotos%5Cx%5Ca.jpg"},
      {"D:\\x y.jpg", "C:\\p\\", "file:///D:/x%20y.jpg", "D%3A%5Cx%20y.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(relative_photo_url(c.photo, c.page_folder),
              AnsiText(on_windows ? c.windows_url : c.linux_url))
        << c.photo;
  }
}

}  // namespace
