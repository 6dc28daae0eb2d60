#include "platform/DecimalSeparator.h"

#include <QLocale>
#include <QString>

#include "files/Cp1252.h"

namespace bis {

char RegionalDecimalSeparator(const QLocale &locale) {
    const QString separator = locale.decimalPoint();
    // Only a punctuation mark can stand between digits without making the number mean
    // something else; a sign cannot.
    if (separator.size() != 1 || !separator[0].isPunct() || separator[0] == u'-' ||
        separator[0] == u'+') {
        return '.';
    }
    const auto byte = Cp1252Byte(separator[0].unicode());
    if (!byte) {
        return '.';
    }
    return static_cast<char>(*byte);
}

char RegionalDecimalSeparator() {
    return RegionalDecimalSeparator(QLocale());
}

}  // namespace bis
