#include <QImageReader>
#include <QPixmap>

#include "platform/ProgramIcon.h"

namespace bis {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        // Read by Qt's own PNG reader: left to recognise the image, Qt would first load every
        // image format plugin to ask it.
        QImageReader reader(QStringLiteral(":/icons/%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace bis
