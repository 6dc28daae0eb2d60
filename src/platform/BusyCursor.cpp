#include "platform/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace bis {

BusyCursor::BusyCursor()
    : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr) {
    if (shown_) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

BusyCursor::~BusyCursor() {
    if (shown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace bis
