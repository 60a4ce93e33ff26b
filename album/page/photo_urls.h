#pragma once
// Where the album page finds a photo: a URL relative to the page's folder.
#include "text/text_types.h"

// The URL of `photo_path` relative to `page_folder` (both in the process code page; the folder
// ends with its separator), every byte of a name other than a letter, a digit or -._~
// percent-encoded, so that names that are no valid text, or hold '#', '%' or '?', still load.
// A photo beside the page is its encoded name; others go up with "../" and down by name.
AnsiText relative_photo_url(const AnsiText& photo_path, const AnsiText& page_folder);
