#include "setup/ShowTextValidator.h"

#include "app/EntryChecks.h"

namespace bis {

QValidator::State ShowTextValidator::validate(QString &input, int &) const {
    return ShowTextBytes(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace bis
