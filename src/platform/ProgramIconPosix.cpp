#include "platform/ProgramIcon.h"

namespace bis {

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/org.bestinshow.BestInShow.svg"));
}

}  // namespace bis
