#include "platform/Console.h"

#include <QByteArray>
#include <QtGlobal>

namespace bis {

std::optional<QStringList> SystemArguments() {
    return std::nullopt;
}

void UseStartersConsole() {}

void UseWindowlessToolkit() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace bis
