#pragma once
// What trailbook-album tells its caller when it ends.

// A page was written (with --positions: a photo had a position), or the help was shown.
inline constexpr int exit_success = 0;
// No photo had a position, so nothing was written.
inline constexpr int exit_no_position = 1;
// Bad arguments, a refused selection, or an error such as an unreadable template.
inline constexpr int exit_usage_or_error = 2;
