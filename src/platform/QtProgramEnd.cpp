#include "platform/QtProgramEnd.h"

#include <QApplication>
#include <QWidget>

namespace bis {

void QtProgramEnd::endProgram() {
    // Hiding sends no close event, so no screen's close handler runs on the way out.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    // exit() leaves every running event loop, a modal one included, without asking any window.
    QCoreApplication::exit(0);
}

}  // namespace bis
