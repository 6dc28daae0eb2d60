#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "platform/JournalDisk.h"

namespace bis {

// One journal file as the program writes it: nothing counts as written until it is on the disk.
// A new file is flushed together with its folder's entry; every later write is flushed before
// append returns.
class JournalFile {
  public:
    explicit JournalFile(JournalDisk &disk) : disk_(disk) {}
    ~JournalFile() { close(); }
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    // Creates the file in its folder with the bytes. On a failure no file is open; what may have
    // been created is the caller's to remove.
    [[nodiscard]] FileFailure create(const QString &path, const std::string &bytes);
    // Opens an existing journal to go on with it, cut back to its first `length` bytes.
    [[nodiscard]] FileFailure adopt(const QString &path, std::size_t length);
    // Appends the bytes to the open file.
    [[nodiscard]] FileFailure append(const std::string &bytes);
    void close();

  private:
    // Closes the file when the step failed.
    FileFailure CloseOnFailure(FileFailure failure);

    JournalDisk &disk_;
    std::optional<JournalDisk::Handle> file_;
};

}  // namespace bis
