#pragma once

#include "platform/QtPlatformOnly.h"

#include <QIcon>

namespace bis {

// The program's icon, for every window: on Linux read from the PNG images in its resources, drawn
// from its SVG beforehand (scripts/make-icons.sh) in the sizes the window manager is given; on
// Windows taken from the program's own icon resource, in each size the resource holds.
[[nodiscard]] QIcon ProgramIcon();

}  // namespace bis
