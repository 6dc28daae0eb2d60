#pragma once

#include <QString>
#include <string>

#include "platform/Failure.h"

namespace bis {

// How a file operation failed.
enum class FileFailureKind {
    None,           // it worked
    NotFound,       // the file does not exist
    AlreadyExists,  // a file of that name exists (when creating)
    DriveNotReady,  // no medium in the drive
    Other,          // anything else; description holds the system's text
};
using FileFailure = Failure<FileFailureKind>;

// The file system as the program uses it: whole files read, new files written, and a file just
// written taken back.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True when a file (or anything else) of that name exists.
    [[nodiscard]] virtual bool exists(const QString &path) = 0;

    // Reads the whole file into bytes.
    [[nodiscard]] virtual FileFailure readAll(const QString &path, std::string &bytes) = 0;

    // Creates a new file holding exactly the bytes. An existing file is never replaced, even
    // one that appears while this runs; a failure leaves nothing under the path.
    [[nodiscard]] virtual FileFailure createNew(const QString &path, const std::string &bytes) = 0;

    // Removes a file. The program removes only files it has just created itself, to take back
    // a set of files that could not be written whole.
    [[nodiscard]] virtual FileFailure remove(const QString &path) = 0;
};

}  // namespace bis
