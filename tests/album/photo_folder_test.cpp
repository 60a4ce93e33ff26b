#include "album/photo_folder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "album_test_support.h"
#include "text/text_ops.h"

namespace {

// A folder of more photos than an album takes is listed only as far as its refusal needs.
TEST(PhotoFolderListing, StopsAtTheMostPhotosAsked) {
  QTemporaryDir folder;
  for (const char* name : {"c.jpg", "a.JPG", "notes.txt", "b.heic"}) {
    write_bytes(folder.filePath(QString::fromLatin1(name)), "");
  }
  const AnsiText path = to_ansi(folder.path());
  EXPECT_EQ(photo_files_in(path).size(), 3);
  EXPECT_EQ(photo_files_in(path, 2).size(), 2);
  EXPECT_EQ(photo_files_in(path, 0).size(), 0);
  EXPECT_EQ(photo_files_in(path, 5), photo_files_in(path));
}

}  // namespace
