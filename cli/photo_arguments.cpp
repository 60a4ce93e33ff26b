#include "cli/photo_arguments.h"

#include "album/photo_folder.h"

QList<AnsiText> expand_photo_arguments(const QList<AnsiText>& arguments) {
  QList<AnsiText> paths;
  for (const AnsiText& argument : arguments) {
    if (!argument.isEmpty() && is_photo_folder(argument)) {
      paths += photo_files_in(argument);
    } else {
      paths += argument;
    }
  }
  return paths;
}
