#pragma once
// The photo files the add-photos command offers: one list of name patterns shared by the open
// dialog and by front ends that expand folders themselves.
#include <QStringList>

#include "text/text_types.h"

// "*." and each name of the table of photo kinds (exif/photo_formats.h), in its order:
// "*.jpg", "*.jpeg", "*.raw", "*.tiff", "*.tif", then the phone, screenshot and raw camera
// formats the EXIF reader knows: HEIC/HEIF/AVIF, PNG, WebP, DNG, NEF, CR2, CR3, ARW, ORF, RW2,
// PEF, RAF.
const QStringList& photo_name_patterns();

// The open dialog's title, and the caption of its one entry, which names the first five patterns
// as the dialog always has; the entry lists files by every pattern.
WideText photo_dialog_title();
WideText photo_dialog_caption();

// Whether a file name (without its folder) matches one of the patterns, letter case ignored,
// so IMG_0001.JPG counts as well as img_0001.jpg.
bool is_photo_file_name(const WideText& file_name);
