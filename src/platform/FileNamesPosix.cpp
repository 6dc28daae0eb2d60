#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace bis {

QString SameFileKey(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace bis
