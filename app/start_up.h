#pragma once

// The whole life of the program: the application object, the main window, the event loop.
// Reads no command-line argument of its own (Qt's own options still work) and returns 0 in
// every case; an error that escapes the start-up is shown in the error box.
int run_trailbook(int& argc, char** argv);
