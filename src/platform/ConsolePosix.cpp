#include "platform/Console.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace bis {

QStringList ProgramArguments(int argc, const char *const *argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

void UseStartersConsole() {}

void UseWindowlessToolkit() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace bis
