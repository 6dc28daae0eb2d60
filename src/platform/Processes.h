#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <QtGlobal>

namespace bis {

// Whether the process of that number still runs the program of that name, as a lock file of the
// program's records them. False when no such process runs, or when the system gave its number to
// another program; true when that cannot be told.
[[nodiscard]] bool ProgramRuns(qint64 pid, const QString &programName);

}  // namespace bis
