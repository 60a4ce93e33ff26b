#pragma once
// Writing a new file beside the photos without ever following or replacing what is there.
#include <QByteArray>

#include "text/text_types.h"

// Writes `bytes` to `wanted_path` (in the process code page), which must end in `extension`
// (".html"). When that name is taken by anything (a file, a folder, a link, even a dangling
// one), the name gets a suffix before the extension: "-2", "-3" and so on. The bytes go to a
// temporary file created exclusively in the same folder and then get the final name in one step
// that never replaces an existing name, so no link is followed, nothing is overwritten and no
// half-written file is left. Returns the path written. Throws AppError
// "Cannot create file "<wanted_path>". <reason>" on failure.
AnsiText write_new_file(const QByteArray& bytes, const AnsiText& wanted_path,
                        const AnsiText& extension);

// The same for the many small files of a folder that this process has just made itself (a
// mkdir that fails on any existing name), where only its owner can put anything: the file is
// created exclusively under its final name, which never follows a link nor replaces anything,
// and is removed again when writing fails. Without the temporary name and the rename, and
// without the wait for the disk, this costs half the folder updates. A process killed while
// writing can leave a short file there, but no page refers to it (the page is written after
// its files), and such a file is no whole JPEG stream. The file is writable by its owner alone
// (0644 at most), whatever the umask. Throws AppError as write_new_file does.
AnsiText write_new_file_in_own_folder(const QByteArray& bytes, const AnsiText& wanted_path,
                                      const AnsiText& extension);

// Removes the files `names` from `folder` (ending with its separator), a folder this process made
// itself, and then the folder if nothing else is in it. Links are removed, never followed.
void remove_own_folder(const AnsiText& folder, const QList<AnsiText>& names);
