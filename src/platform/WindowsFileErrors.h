#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/FileSystem.h"

namespace bis {

// The failure for a Windows system error code (GetLastError), with the system's own text.
[[nodiscard]] FileFailure FileFailureOfWindowsError(unsigned long error);

}  // namespace bis
