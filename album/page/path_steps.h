#pragma once
// A path cut into its steps as the platform writes paths (path_steps_posix.cpp,
// path_steps_windows.cpp), for the page's URLs, which always use '/'.
#include <QList>

#include "text/text_types.h"

struct PathSteps {
  // Empty for a relative path; "/" on Linux; on Windows the drive ("C:") or the share
  // ("\\server\share") of an absolute path.
  AnsiText root;
  QList<AnsiText> names;  // the names after the root, without empty ones
};

PathSteps path_steps(const AnsiText& path);

// Whether two roots or names are the same folder's (on Windows letter case does not count).
bool same_step(const AnsiText& a, const AnsiText& b);
