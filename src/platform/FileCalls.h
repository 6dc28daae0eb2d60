#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace bis {

// The one file layer of the program: the few calls of the operating system that the show files,
// the reports and the journal are written with, and the system's error numbers. Each system has
// its own (FileCallsPosix.cpp, FileCallsWindows.cpp); the policies that use them (LocalFileSystem
// and the journal's JournalFile) are written once, and so are the steps below the calls.

// A system error number: errno on Linux, GetLastError() on Windows. 0 when the call worked.
using SystemError = unsigned long;

// What moveToFreeName gives when the file system has no move that refuses to replace a file.
inline constexpr SystemError kNoMoveWithoutReplacing = ~SystemError{0};

// The system's numbers for the failures the policies find themselves.
struct SystemErrorNumbers {
    SystemError noSuchPath;  // an empty name
    SystemError nameTaken;   // a file of that name exists
    SystemError tooLarge;    // a file too large to read
    SystemError noProgress;  // a write that reported success but wrote nothing
    SystemError lockHeld;    // another open file holds the lock that lock() asks for
};

// Who may use a file the program creates.
enum class FileAccess {
    Shared,   // a show file or a report: as the user's other files are
    Private,  // a journal: its user alone; on Windows no other program may write, move or
              // remove it while it is open
};

// A file the system has opened; it is closed when it goes.
class OpenFile {
  public:
    virtual ~OpenFile() = default;

    // Reads up to size bytes from the given place, without moving the place of the next write.
    [[nodiscard]] virtual SystemError readAt(std::uint64_t offset, char *buffer, std::size_t size,
                                             std::size_t &count) = 0;
    // Writes some of the bytes; count says how many.
    [[nodiscard]] virtual SystemError write(const char *bytes, std::size_t size,
                                            std::size_t &count) = 0;
    // Waits until what was written has reached the disk.
    [[nodiscard]] virtual SystemError flush() = 0;
    // Cuts the file back to its first length bytes; the next write goes at the new end.
    [[nodiscard]] virtual SystemError truncate(std::uint64_t length) = 0;
    // Whether the path still names this very file: false once it was removed or another file was
    // put in its place.
    [[nodiscard]] virtual bool isAt(const QString &path) = 0;
    // Takes the system's exclusive lock on the file, without waiting: errorNumbers().lockHeld when
    // another open file holds it, in this program or another. The lock is held by this open file
    // until it is closed, and the system drops it when the program ends, however it ends. A file
    // system that keeps no such locks (some network shares) fails with an error of its own. It
    // locks no byte a journal holds, so the file can still be read and written through other open
    // files.
    [[nodiscard]] virtual SystemError lock() = 0;
    // Closes the file now, which can report a write that failed late (on a network file system).
    [[nodiscard]] virtual SystemError close() = 0;
};

class FileCalls {
  public:
    virtual ~FileCalls() = default;

    // The system's numbers for the failures the policies find themselves.
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
    // refused with an error number the layer picks itself, whose description the system has: a
    // folder with EISDIR (ERROR_DIRECTORY_NOT_SUPPORTED on Windows), the others with EINVAL
    // (ERROR_INVALID_FUNCTION).
    [[nodiscard]] virtual SystemError openToRead(const QString &path,
                                                 std::unique_ptr<OpenFile> &file,
                                                 std::int64_t &size) = 0;
    // Opens a plain file on a disk to read and to lock, never through a symbolic link: a link, a
    // folder, a pipe or a device is refused. On Windows other programs keep every right to the
    // file, to remove it included.
    [[nodiscard]] virtual SystemError openToLock(const QString &path,
                                                 std::unique_ptr<OpenFile> &file) = 0;
    // Creates a file to write, only if nothing is under the name.
    [[nodiscard]] virtual SystemError createNew(const QString &path, FileAccess access,
                                                std::unique_ptr<OpenFile> &file) = 0;
    // Opens an existing file of the program's own (FileAccess::Private) to read it and to write at
    // its end.
    [[nodiscard]] virtual SystemError openToAppend(const QString &path,
                                                   std::unique_ptr<OpenFile> &file) = 0;
    // Moves a file under a name, only if nothing is under the name, even something that appeared
    // a moment ago. Like remove, on a system where another program (a virus scanner, an indexer)
    // may hold a new file open for a moment, it tries again for about a second.
    [[nodiscard]] virtual SystemError moveToFreeName(const QString &from, const QString &to) = 0;
    [[nodiscard]] virtual SystemError remove(const QString &path) = 0;
    // Returns once the folder's list of files is on the disk, so that a file just created, moved
    // or removed there stays so after a power cut. See docs/file-formats.md for what each system
    // guarantees.
    [[nodiscard]] virtual SystemError flushFolder(const QString &folder) = 0;
};

// The calls of the system the program was built for.
[[nodiscard]] FileCalls &SystemFileCalls();

// ---- Written once over the calls ---------------------------------------------------------------

// Writes every byte, going on after a short write; a write that reports no byte written is a
// failure, never a reason to try forever. 0, or the first error.
[[nodiscard]] SystemError WriteAll(FileCalls &calls, OpenFile &file, std::string_view bytes);

// Reads a whole file of at most maxBytes (a file that grows past it while it is read too).
[[nodiscard]] SystemError ReadWhole(FileCalls &calls, const QString &path, std::int64_t maxBytes,
                                    std::string &bytes);

// Reads a whole open file from its start, of at most maxBytes.
[[nodiscard]] SystemError ReadBack(FileCalls &calls, OpenFile &file, std::int64_t maxBytes,
                                   std::string &bytes);

// The folder part of a path, with its final separator ("" for a bare name).
[[nodiscard]] QString FolderOf(const QString &path, const QString &separators);

// The folder of a path as flushFolder takes it: its folder part, "." for a bare name.
[[nodiscard]] QString FolderToFlush(const QString &path, const QString &separators);

}  // namespace bis
