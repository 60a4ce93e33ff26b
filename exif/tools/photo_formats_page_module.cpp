// Writes the album page's list of the photo file names browsers cannot draw, taken from the table
// of photo kinds (exif/photo_formats.h), as a JavaScript module for the page's script:
//   photo_formats_page_module OUTPUT.js   the module, exporting the RegExp UNDRAWN_KINDS
//   photo_formats_page_module --names     each name of the table and "drawn" or "undrawn", one a
//                                         line, for the check of the module against the table
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "exif/photo_formats.h"

namespace {

// The names go into the expression as they are, so they must hold nothing it would read as
// more than a letter.
bool plain_name(std::string_view extension) {
  return !extension.empty() && std::ranges::all_of(extension, [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

std::string undrawn_kinds_module() {
  std::string names;
  for (const PhotoFileName& name : photo_file_names()) {
    if (name.browsers_draw) continue;
    if (!names.empty()) names += '|';
    names += name.extension;
  }
  return "// Written at build time by photo_formats_page_module from the table of photo kinds\n"
         "// (exif/photo_formats.cpp): change the table, not this file.\n"
         "// The photo file names browsers cannot draw: the page shows such a photo by its "
         "preview only.\n"
         "export const UNDRAWN_KINDS = /\\.(" +
         names + ")$/i;\n";
}

int write_module(const char* path) {
  const std::string text = undrawn_kinds_module();
  QSaveFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    std::fprintf(stderr, "photo_formats_page_module: cannot write %s: %s\n", path,
                 file.errorString().toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: photo_formats_page_module OUTPUT.js | --names\n");
    return 2;
  }
  for (const PhotoFileName& name : photo_file_names()) {
    if (!plain_name(name.extension)) {
      std::fprintf(stderr,
                   "photo_formats_page_module: the table's file name \"%.*s\" is not lower-case "
                   "letters and digits\n",
                   static_cast<int>(name.extension.size()), name.extension.data());
      return 1;
    }
  }
  if (std::string_view(argv[1]) != "--names") return write_module(argv[1]);
  for (const PhotoFileName& name : photo_file_names()) {
    std::printf("%.*s\t%s\n", static_cast<int>(name.extension.size()), name.extension.data(),
                name.browsers_draw ? "drawn" : "undrawn");
  }
  return 0;
}
