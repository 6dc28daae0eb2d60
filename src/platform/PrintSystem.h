#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <optional>

namespace bis {

// The print system's answer to the job this thread has just handed to it: its own description
// when it refused the job, nothing when it took it.
[[nodiscard]] std::optional<QString> PrintSystemRefusal();

}  // namespace bis
