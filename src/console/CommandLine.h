#pragma once

#include <QString>
#include <QStringList>

namespace bis {

// The files named on the command line: the show file, and the reports to write from it (an
// empty name for a report not asked for).
struct ReportFiles {
    QString showFile;
    QString textReport;
    QString csvReport;
    QString pdfReport;

    [[nodiscard]] bool anyReport() const {
        return !textReport.isEmpty() || !csvReport.isEmpty() || !pdfReport.isEmpty();
    }
};

// What the command line asks the program to do.
struct CommandLine {
    enum class Action {
        StartScreens,  // the introduction screen, recalling files.showFile first when given
        WriteReports,  // the reports of files, without any window
        ShowHelp,      // the help on standard output
        ShowVersion,   // the version on standard output
        UsageError,    // error says what is wrong with the command line
    };
    Action action = Action::StartScreens;
    ReportFiles files;
    QString error;
};

// Reads the arguments (the program's name first). Options may stand before or after the show
// file, and "--" ends the options. Needs no application object, so that help, version and usage
// errors never need a display.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList &arguments);

// The usage, what the program does with a show file and the report options, and the options.
[[nodiscard]] QString HelpText();

// "bestinshow ", the program's version text (kProgramVersion) and a line end.
[[nodiscard]] QString VersionText();

// The one line that says what is wrong, then the usage.
[[nodiscard]] QString UsageErrorText(const QString &error);

}  // namespace bis
