// The table of photo kinds: each name belongs to a kind with a row, and a sample photo of each
// kind is the kind its name says; the first read a name asks for.
#include "exif/photo_formats.h"

#include <gtest/gtest.h>

#include <QDir>
#include <set>

#include "exif/read_plan_hint.h"
#include "tests/exif/whole_photo_file.h"

namespace {

TEST(PhotoFormats, EveryNameIsOnceInLowerCaseAndOfAKindWithARow) {
  std::set<std::string_view> seen;
  std::set<PhotoContainer> kinds_named;
  for (const PhotoFileName& name : photo_file_names()) {
    EXPECT_TRUE(seen.insert(name.extension).second) << name.extension;
    for (char c : name.extension) EXPECT_FALSE(c >= 'A' && c <= 'Z') << name.extension;
    EXPECT_NE(photo_format(name.kind), nullptr) << name.extension;
    kinds_named.insert(name.kind);
  }
  for (const PhotoFormat& format : photo_formats()) {
    EXPECT_TRUE(kinds_named.contains(format.kind)) << static_cast<int>(format.kind);
  }
  EXPECT_EQ(photo_format(PhotoContainer::unknown), nullptr);
}

TEST(PhotoFormats, SamplePhotosAreTheKindTheirNamesSay) {
  const QStringList samples = QDir(TRAILBOOK_EXIF_SAMPLES).entryList(QDir::Files);
  ASSERT_GE(samples.size(), 6);
  for (const QString& sample : samples) {
    const PhotoFile file = read_photo_file(QFile::encodeName(TRAILBOOK_EXIF_SAMPLES "/" + sample));
    ASSERT_EQ(file.status, PhotoFileStatus::read) << sample.toStdString();
    const std::string extension = sample.section(u'.', -1).toLower().toStdString();
    const auto named = std::ranges::find(photo_file_names(), std::string_view(extension),
                                         &PhotoFileName::extension);
    ASSERT_NE(named, photo_file_names().end()) << extension;
    EXPECT_EQ(photo_container_kind(LoadedBytes(file.bytes.get(), file.size)), named->kind)
        << sample.toStdString();
  }
}

TEST(PhotoFormats, ContainerNamesAskForAShortFirstRead) {
  const ReadPlan plain;
  const struct {
    const char* name;
    bool short_first_read;
  } cases[] = {
      {"IMG_0001.HEIC", true},  {"pic.Avif", true},    {"_MG_0001.cr3", true},
      {"map.tif", true},        {"scan.raw", true},    {"DSCF0001.RAF", true},
      {"IMG_0001.JPG", false},  {"shot.png", false},   {"shot.webp", false},
      {"photo.nef.jpg", false}, {"nef", false},        {"photos.dng/IMG_0001", false},
      {"photo.", false},        {"photo.xnef", false}, {"photo.tiff2", false},
  };
  for (const auto& c : cases) {
    const ReadPlan plan = read_plan_for(c.name);
    EXPECT_EQ(plan.head, c.short_first_read ? 8u << 10 : plain.head) << c.name;
    EXPECT_EQ(plan.tail, c.short_first_read ? 0u : plain.tail) << c.name;
  }
}

}  // namespace
