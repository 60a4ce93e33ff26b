#pragma once
// Where the program's data files are: the folder of the program file itself, found through
// any symbolic links, so bin/trailbook-album -> ../lib/trailbook/trailbook-album still finds
// lib/trailbook/templates/.
#include "text/text_types.h"

// Needs a QCoreApplication.
WideText program_folder();

WideText default_template_file();
