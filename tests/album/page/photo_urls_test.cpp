#include "album/page/photo_urls.h"

#include <gtest/gtest.h>

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

}  // namespace
