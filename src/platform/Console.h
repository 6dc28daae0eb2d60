#pragma once

#include "platform/QtPlatformOnly.h"

#include <QStringList>
#include <optional>

namespace bis {

// What the program takes from the command that started it: its arguments, and the console to
// print on.

// The program's arguments as texts, the program's name first. Needs no application object. Linux
// hands a program its arguments as bytes in the system's encoding. Windows keeps the command line
// as UTF-16 and fills argv only with what the ANSI code page can hold, so a show file named in
// Polish or Greek letters would not be found: there the arguments come from the command line
// itself, split by the system's own rules.
[[nodiscard]] QStringList ProgramArguments(int argc, const char *const *argv);

// The program's arguments as the system keeps them beside argv, split by the system's own rules,
// the program's name first; nothing where argv is all there is (Linux) or the system could not
// split them. ProgramArguments takes these when there are any, and argv otherwise.
[[nodiscard]] std::optional<QStringList> SystemArguments();

// Makes the standard output and error reach the console the program was started from, when it was
// started from one. The Windows program is built as a windowed one, so that a start from the Start
// menu or a double-click opens no console window; such a program is given no console of its own,
// and its output would be lost unless it joins the one its starter (a command prompt) has. Output
// that is already redirected to a file or a pipe stays where it goes. Elsewhere a program always
// has the standard output it was started with, and this does nothing.
void UseStartersConsole();

// Readies the toolkit for the reports from the command line, which open no window, before the
// application object is made. On Linux that needs no display: the offscreen platform, over SSH, in
// a cron job or in CI alike. Windows' own platform needs no display either, and sets the PDF in the
// system's fonts as printing does; the offscreen platform of a Windows build found no fonts under
// Wine and wrote blank pages.
void UseWindowlessToolkit();

}  // namespace bis
