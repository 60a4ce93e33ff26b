#pragma once
// Opening by a path longer than the system takes in one call (PATH_MAX, 4096 bytes on Linux):
// photos deep in a folder tree, named by the absolute path the album works with, open as they
// do by a shorter relative name. Not on Windows, where Qt's file calls take long paths.
#include <QByteArray>

#ifndef _WIN32
// ::open(path, flags, mode) for a path of any length: the leading folders are opened a piece of
// whole folder names at a time, each relative to the one before. -1 with errno set on failure.
int open_long_path(const QByteArray& path, int flags, unsigned mode = 0);

// The folder that holds `path` (everything before its last '/'), opened to be used with the
// *at() calls, and in `name` the rest. -1 with errno set on failure.
int open_parent_folder(const QByteArray& path, QByteArray& name);
#endif
