#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace bis {

// Windows' file systems ignore case.
QString SameFileKey(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toCaseFolded();
}

}  // namespace bis
