#pragma once

#include "platform/QtPlatformOnly.h"

namespace bis {

// Makes the standard output and error reach the console the program was started from, when it was
// started from one. The Windows program is built as a windowed one, so that a start from the Start
// menu or a double-click opens no console window; such a program is given no console of its own,
// and its output would be lost unless it joins the one its starter (a command prompt) has. Output
// that is already redirected to a file or a pipe stays where it goes. Elsewhere a program always
// has the standard output it was started with, and this does nothing.
#ifdef _WIN32
void UseStartersConsole();
#else
inline void UseStartersConsole() {}
#endif

}  // namespace bis
