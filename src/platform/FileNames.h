#pragma once

#include <QString>

namespace bis {

// The file a name stands for, so that two names of one file compare equal: "spring.txt" and
// "./spring.txt" everywhere, and on Windows, whose file systems ignore case and take either
// slash, "C:\Shows\Spring.txt" and "c:/shows/spring.TXT" too.
[[nodiscard]] QString SameFileKey(const QString &path);

}  // namespace bis
