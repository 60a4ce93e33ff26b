#pragma once
// Where the running program lies. Data files ("ini/t.txt", "templates/template.html",
// "readme.txt") are found beside the program file, never through the working folder.
#include "text/text_types.h"

// Full path of the running program file with symbolic links resolved, so that a link installed
// in some bin/ folder still finds the data beside the real program.
WideText program_file_path();

// folder_of(program_file_path()): the program folder, ending with its separator.
WideText program_folder();

// The program folder followed by `relative` (written with '/', turned into the platform's
// separators), e.g. "ini/t.txt".
WideText program_data_path(const WideText& relative);

// templates/template.html beside the program: the album page template.
WideText default_template_file();

// places/places.dat beside the program: the places photos are named after.
WideText default_places_file();

// Resolves links and writes the path with the platform's separators.
WideText resolve_program_file(const WideText& path);

// Makes program_file_path() answer `path` (with the platform's separators) instead of the real
// program; an empty path returns to the real one. Lets the window be exercised with data folders of
// one's own choosing.
void override_program_file_path(const WideText& path);
