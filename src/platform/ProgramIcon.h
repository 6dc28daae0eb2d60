#pragma once

#include "platform/QtPlatformOnly.h"

#include <QIcon>

namespace bis {

// The program's icon, for every window: drawn from its SVG on Linux; on Windows taken from the
// program's own icon resource, in each size the resource holds, as the Windows build has no SVG
// support.
[[nodiscard]] QIcon ProgramIcon();

}  // namespace bis
