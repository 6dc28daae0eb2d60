#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <QStringList>

namespace bis {

// What the program takes from the command that started it: its arguments, and the console to
// print on.

// The program's arguments as texts, the program's name first. Needs no application object. Linux
// hands a program its arguments as bytes in the system's encoding. Windows keeps the command line
// as UTF-16 and fills argv only with what the ANSI code page can hold, so a show file named in
// Polish or Greek letters would not be found: there the arguments come from the command line
// itself, split by the system's own rules.
#ifdef _WIN32
[[nodiscard]] QStringList ProgramArguments(int argc, const char *const *argv);
#else
[[nodiscard]] inline QStringList ProgramArguments(int argc, const char *const *argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}
#endif

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
