#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace bis {

// The file a name stands for, so that two names of one file compare equal: "spring.txt" and
// "./spring.txt" everywhere, and on Windows, whose file systems ignore case and take either
// slash, "C:\Shows\Spring.txt" and "c:/shows/spring.TXT" too.
[[nodiscard]] inline QString SameFileKey(const QString &path) {
    const QString key = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
#ifdef Q_OS_WIN
    return key.toCaseFolded();
#else
    return key;
#endif
}

}  // namespace bis
