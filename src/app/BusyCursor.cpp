#include "app/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace bis {

BusyCursor::BusyCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace bis
