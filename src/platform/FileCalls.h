#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/FileSystem.h"

namespace bis {

// The few calls of the operating system the local file system is built on, and the system's
// error numbers. Each system has its own (FileCallsPosix.cpp, FileCallsWindows.cpp); the policy
// that uses them (LocalFileSystem) is written once.

// A system error number: errno on Linux, GetLastError() on Windows. 0 when the call worked.
using SystemError = unsigned long;

// What moveToFreeName gives when the file system has no move that refuses to replace a file.
inline constexpr SystemError kNoMoveWithoutReplacing = ~SystemError{0};

// The system's numbers for the failures the policy finds itself.
struct SystemErrorNumbers {
    SystemError noSuchPath;  // an empty name
    SystemError nameTaken;   // a file of that name exists
    SystemError tooLarge;    // a file too large to read
};

// A file the system has opened; it is closed when it goes.
class OpenFile {
  public:
    virtual ~OpenFile() = default;

    // Reads up to size bytes; count is 0 at the end of the file.
    [[nodiscard]] virtual SystemError read(char *buffer, std::size_t size, std::size_t &count) = 0;
    // Writes some of the bytes, at least one unless it fails; count says how many.
    [[nodiscard]] virtual SystemError write(const char *bytes, std::size_t size,
                                            std::size_t &count) = 0;
    // Waits until what was written has reached the disk.
    [[nodiscard]] virtual SystemError flush() = 0;
    // Closes the file now, which can report a write that failed late (on a network file system).
    [[nodiscard]] virtual SystemError close() = 0;
};

class FileCalls {
  public:
    virtual ~FileCalls() = default;

    // The system's numbers for the failures the policy finds itself.
    [[nodiscard]] virtual SystemErrorNumbers errorNumbers() const = 0;
    // The characters that end the folder part of a path.
    [[nodiscard]] virtual QString folderSeparators() const = 0;
    // What the program makes of an error number.
    [[nodiscard]] virtual FileFailure::Kind kindOf(SystemError error) const = 0;
    // The failure for an error number, with the system's own description.
    [[nodiscard]] FileFailure failure(SystemError error) const {
        return {kindOf(error), qt_error_string(static_cast<int>(error))};
    }

    // True when anything is under the name, a symbolic link that leads nowhere included.
    [[nodiscard]] virtual bool exists(const QString &path) = 0;
    // Opens a plain file on a disk to read and gives its size. A folder, a pipe or a device is
    // refused with the system's error for it.
    [[nodiscard]] virtual SystemError openToRead(const QString &path,
                                                 std::unique_ptr<OpenFile> &file,
                                                 std::int64_t &size) = 0;
    // Creates a file to write, only if nothing is under the name.
    [[nodiscard]] virtual SystemError createNew(const QString &path,
                                                std::unique_ptr<OpenFile> &file) = 0;
    // Moves a file under a name, only if nothing is under the name, even something that appeared
    // a moment ago.
    [[nodiscard]] virtual SystemError moveToFreeName(const QString &from, const QString &to) = 0;
    [[nodiscard]] virtual SystemError remove(const QString &path) = 0;
};

// The calls of the system the program was built for.
[[nodiscard]] FileCalls &SystemFileCalls();

}  // namespace bis
