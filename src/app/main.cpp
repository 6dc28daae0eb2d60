// The program: reads the command line, then prints its help, version or usage, writes the
// reports asked for without any window, or starts the introduction screen on the real platform
// (recalling the show file given, if any) and does whatever the user does.
#include <QApplication>
#include <QGuiApplication>
#include <iostream>

#include "app/ShowRecord.h"
#include "app/frmIntro.h"
#include "console/CommandLine.h"
#include "console/CommandLineReports.h"
#include "console/ExitStatus.h"
#include "platform/Console.h"
#include "platform/DecimalSeparator.h"
#include "platform/LocalFileSystem.h"
#include "platform/ModulePdfMaker.h"
#include "platform/ModulePrinter.h"
#include "platform/Platform.h"
#include "platform/PrintModule.h"
#include "platform/ProgramIcon.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtJournalStore.h"
#include "platform/QtMessages.h"
#include "platform/QtProgramEnd.h"

namespace {

// Text for standard output; a failed write (a full disk, a closed pipe) is a failure.
int Print(const QString &text) {
    std::cout << text.toStdString() << std::flush;
    return std::cout ? bis::kExitSuccess : bis::kExitFailure;
}

// The toolkit's own notes (such as a missing runtime folder) would break the silence of a
// successful run; the reports say every failure of theirs themselves.
void DropToolkitNotes(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << message.toStdString() << '\n';
    }
}

// The application objects get the program's name alone: the command line has been read, and a
// show file named like one of the toolkit's own options must not be taken for it.
struct ProgramNameOnly {
    explicit ProgramNameOnly(char *name) : argv{name, nullptr} {}
    int argc = 1;
    char *argv[2];
};

int WriteReports(char *programName, const bis::ReportFiles &files) {
    bis::UseWindowlessToolkit();
    qInstallMessageHandler(DropToolkitNotes);
    ProgramNameOnly arguments(programName);
    QGuiApplication application(arguments.argc, arguments.argv);

    bis::LocalFileSystem fileSystem;
    bis::PrintModule printModule;
    bis::ModulePdfMaker pdfMaker(printModule);
    return bis::WriteReportsFromCommandLine(files, fileSystem, pdfMaker,
                                            bis::RegionalDecimalSeparator(), std::cerr);
}

int StartScreens(char *programName, const QString &showFile) {
    ProgramNameOnly arguments(programName);
    QApplication application(arguments.argc, arguments.argv);
    QApplication::setWindowIcon(bis::ProgramIcon());
    // Desktops match the windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.bestinshow.BestInShow"));
    // The program ends only through its own Exit buttons (or their window close controls), never
    // because a screen was hidden on the way to the next one.
    QApplication::setQuitOnLastWindowClosed(false);

    bis::QtMessages messages;
    bis::QtProgramEnd programEnd;
    bis::QtFileDialogs fileDialogs;
    bis::LocalFileSystem fileSystem;
    bis::PrintModule printModule;
    bis::ModulePrinter printer(printModule);
    bis::QtJournalStore journalStore;
    bis::Platform platform{messages,     programEnd, fileDialogs,
                           fileSystem,   printer,    bis::RegionalDecimalSeparator(),
                           &journalStore};
    bis::ShowRecord show;
    bis::ScreenContext context{show, platform};

    // A show that a stop left unfinished comes first; the show file given waits for it.
    auto *intro = new bis::frmIntro(context);
    if (!intro->ContinueUnfinishedShow() &&
        (showFile.isEmpty() || !intro->RecallShowFile(showFile))) {
        intro->ShowScreen();
    }
    const int status = QApplication::exec();

    // The screens still loaded refer to the record and the platform: they go first.
    bis::Screen::DeleteAll();
    return status;
}

}  // namespace

int main(int argc, char *argv[]) {
    bis::UseStartersConsole();
    static char fallbackName[] = "bestinshow";
    char *programName = argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName;
    const bis::CommandLine line = bis::ParseCommandLine(bis::ProgramArguments(argc, argv));
    switch (line.action) {
        case bis::CommandLine::Action::ShowHelp:
            return Print(bis::HelpText());
        case bis::CommandLine::Action::ShowVersion:
            return Print(bis::VersionText());
        case bis::CommandLine::Action::UsageError:
            std::cerr << bis::UsageErrorText(line.error).toStdString();
            return bis::kExitUsage;
        case bis::CommandLine::Action::WriteReports:
            return WriteReports(programName, line.files);
        case bis::CommandLine::Action::StartScreens:
            break;
    }
    return StartScreens(programName, line.files.showFile);
}
