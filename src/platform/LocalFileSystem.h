#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/FileCalls.h"
#include "platform/FileSystem.h"

namespace bis {

// The local file system, on the system's own calls rather than the toolkit's files: those report
// every failure to open as one error, and the program must tell a missing file, a taken name and
// a drive without its medium apart, which only the system's error number does.
//
// A new file is first written in full to a hidden temporary file in the same folder and only then
// moved under its name by an operation that refuses to replace anything, so the name either holds
// the whole file or nothing, and a file that appears under the name meanwhile is left alone. Where
// the file system has no such move (on Linux, one that can neither rename without replacing nor
// link), the file is created under its name only if the name is free, written there, and removed
// again if the write fails. Either way the file is flushed before it is moved, and its folder
// after, so that a file said to be written is still there after a power cut. Only plain files of up
// to 64 MiB are read. Failures carry the system's own description.
class LocalFileSystem : public FileSystem {
  public:
    LocalFileSystem() : LocalFileSystem(SystemFileCalls()) {}
    // Files created with the access given: the user's show files and reports are shared as the
    // user's other files are; the program's own are its user's alone.
    explicit LocalFileSystem(FileCalls &calls, FileAccess access = FileAccess::Shared)
        : calls_(calls), access_(access) {}

    [[nodiscard]] bool exists(const QString &path) override;
    [[nodiscard]] FileFailure readAll(const QString &path, std::string &bytes) override;
    [[nodiscard]] FileFailure createNew(const QString &path, const std::string &bytes) override;
    [[nodiscard]] FileFailure remove(const QString &path) override;

  private:
    FileCalls &calls_;
    FileAccess access_;
};

}  // namespace bis
