#pragma once

namespace bis {

// The program's exit statuses when it runs from the command line.
inline constexpr int kExitSuccess = 0;  // done, or the screens ended
inline constexpr int kExitFailure = 1;  // a file could not be read or written
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

}  // namespace bis
