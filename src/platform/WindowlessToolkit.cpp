#include "platform/WindowlessToolkit.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QtGlobal>

namespace bis {

void UseWindowlessToolkit() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) {
        const QString windows = qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows"));
        qputenv("QT_QPA_FONTDIR", QDir(windows).filePath(QStringLiteral("Fonts")).toLocal8Bit());
    }
#endif
}

}  // namespace bis
