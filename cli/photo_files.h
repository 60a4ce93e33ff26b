#pragma once
// The file-system side of the command's photo arguments, one implementation per platform
// (photo_files_posix.cpp, photo_files_windows.cpp): absolute_photo_path (cli/photo_arguments.h).
