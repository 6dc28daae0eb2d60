#pragma once

#include <QApplication>

namespace bis::testing {

// Makes sure a QApplication exists for tests of widgets, dialogs, fonts and printing. It is
// created on first use and deliberately never destroyed: tearing it down during static
// destruction, after parts of the toolkit are gone, can crash the test program on its way out.
inline QApplication &EnsureApplication() {
    if (auto *existing = qobject_cast<QApplication *>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "bestinshow-tests";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

}  // namespace bis::testing
