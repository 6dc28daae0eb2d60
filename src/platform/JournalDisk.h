#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/FileSystem.h"

namespace bis {

// The few calls of the operating system that keep a journal on the disk. Each system has its
// own; the tests have one that records every write and flush.
class JournalDisk {
  public:
    // An open file, as the system names it.
    using Handle = std::intptr_t;

    virtual ~JournalDisk() = default;

    // Creates a new file that only this user may read or write, open for writing at its end;
    // fails when the name is taken.
    [[nodiscard]] virtual FileFailure createNew(const QString &path, Handle &file) = 0;
    // Opens an existing file for writing at its end.
    [[nodiscard]] virtual FileFailure openExisting(const QString &path, Handle &file) = 0;
    // Writes every byte at the end of the file.
    [[nodiscard]] virtual FileFailure write(Handle file, std::string_view bytes) = 0;
    // Cuts the file back to its first `length` bytes.
    [[nodiscard]] virtual FileFailure truncate(Handle file, std::size_t length) = 0;
    // Returns once everything written to the file is on the disk.
    [[nodiscard]] virtual FileFailure flush(Handle file) = 0;
    // Returns once the folder's list of files is on the disk, so a file just created there is
    // found again after a power cut.
    [[nodiscard]] virtual FileFailure flushFolder(const QString &folder) = 0;
    virtual void close(Handle file) = 0;
};

// The calls of the system the program runs on.
[[nodiscard]] std::unique_ptr<JournalDisk> SystemJournalDisk();

}  // namespace bis
