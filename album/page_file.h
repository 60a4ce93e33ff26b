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
