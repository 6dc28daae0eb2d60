#include "setup/ShowTextValidator.h"

#include "files/Cp1252.h"

namespace bis {

QValidator::State ShowTextValidator::validate(QString &input, int &) const {
    for (const char32_t codePoint : input.toUcs4()) {
        if (codePoint == U'"' || codePoint == U'\r' || codePoint == U'\n' ||
            !Cp1252Byte(codePoint)) {
            return Invalid;
        }
    }
    return Acceptable;
}

}  // namespace bis
