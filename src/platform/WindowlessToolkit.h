#pragma once

#include "platform/QtPlatformOnly.h"

namespace bis {

// Readies the toolkit to work without any window or display, before the application object is
// made: over SSH, in a scheduled job or in CI alike. It takes the offscreen platform. On Windows
// that platform finds fonts only in a folder it is told of, so it is given the system's own font
// folder, and the PDF report is set in the same fonts as a printed one.
void UseWindowlessToolkit();

}  // namespace bis
