#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/FileSystem.h"

namespace bis {

// The local file system. A new file is first written in full to a hidden temporary file in the
// same folder and only then moved under its name by an operation that refuses to replace
// anything, so the name either holds the whole file or nothing, and a file that appears under
// the name meanwhile is left alone. Only plain files of up to 64 MiB are read. Failures carry
// the system's own description.
class QtFileSystem : public FileSystem {
  public:
    [[nodiscard]] bool exists(const QString &path) override;
    [[nodiscard]] FileFailure readAll(const QString &path, std::string &bytes) override;
    [[nodiscard]] FileFailure createNew(const QString &path, const std::string &bytes) override;
    [[nodiscard]] FileFailure remove(const QString &path) override;
};

}  // namespace bis
