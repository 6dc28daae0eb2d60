// The program: the introduction screen on the real platform, then whatever the user does.
#include <QApplication>
#include <QIcon>

#include "app/ShowRecord.h"
#include "app/frmIntro.h"
#include "platform/DecimalSeparator.h"
#include "platform/Platform.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtFileSystem.h"
#include "platform/QtMessages.h"
#include "platform/QtPrinter.h"
#include "platform/QtProgramEnd.h"

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.bestinshow.BestInShow.svg")));
    // The program ends only through its own Exit buttons (or their window close controls), never
    // because a screen was hidden on the way to the next one.
    QApplication::setQuitOnLastWindowClosed(false);

    bis::QtMessages messages;
    bis::QtProgramEnd programEnd;
    bis::QtFileDialogs fileDialogs;
    bis::QtFileSystem fileSystem;
    bis::QtPrinter printer;
    bis::Platform platform{messages,   programEnd, fileDialogs,
                           fileSystem, printer,    bis::RegionalDecimalSeparator()};
    bis::ShowRecord show;
    bis::ScreenContext context{show, platform};

    auto *intro = new bis::frmIntro(context);
    intro->ShowScreen();
    const int status = QApplication::exec();

    // The screens still loaded refer to the record and the platform: they go first.
    bis::Screen::DeleteAll();
    return status;
}
