#pragma once
// The folder of the running program file itself, whatever link started it and whether or not
// the process has a QCoreApplication (the tests have none).
#include "text/text_types.h"

// Ends with the platform's separator.
WideText running_program_folder();
