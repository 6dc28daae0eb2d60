#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/FileSystem.h"

namespace bis {

// "An operation is not supported on a directory.": ERROR_DIRECTORY_NOT_SUPPORTED, which
// MinGW-w64's headers lack. Reading a folder as a file fails with it.
inline constexpr unsigned long kErrorDirectoryNotSupported = 336;

// The failure for a Windows system error code (GetLastError), with the system's own text.
[[nodiscard]] FileFailure FileFailureOfWindowsError(unsigned long error);

}  // namespace bis
