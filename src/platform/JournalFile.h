#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileCalls.h"

namespace bis {

// A journal larger than this is no journal of a show: 32767 judges take under 20 MiB.
inline constexpr std::int64_t kMaxJournalBytes = 256 * 1024 * 1024;

// One journal file as the program writes it, on the one file layer: nothing counts as written
// until it is on the disk. A new file is flushed together with its folder's entry; every later
// write is flushed before append returns, and so is a cut before anything is written after it.
class JournalFile {
  public:
    explicit JournalFile(FileCalls &calls) : calls_(calls) {}
    ~JournalFile() { close(); }
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    // Creates the file with the bytes, its user's alone: they are written and flushed under the
    // name followed by kJournalCreationSuffix, then moved under the name, and the folder flushed.
    // Before a byte is written, the system's lock on the file is taken through a second open file,
    // given in `lock`, which the caller keeps for as long as the journal is its own: closing this
    // one after a failed write leaves the lock held. A lock another program took first (one
    // starting up, finding the new file) fails as a name taken, and that file is left to it. On
    // any other failure no file is open and none it made is left.
    [[nodiscard]] FileFailure create(const QString &path, std::string_view bytes,
                                     std::unique_ptr<OpenFile> &lock);
    // Opens an existing journal to go on with it, cut back to its first `length` bytes.
    [[nodiscard]] FileFailure adopt(const QString &path, std::size_t length);
    // Appends the bytes to the open file. On a failure the file is closed: a record that may be
    // torn is never followed by another.
    [[nodiscard]] FileFailure append(std::string_view bytes);
    // Whether a file is open and is still the one at its path: not removed, nor replaced.
    [[nodiscard]] bool isAtItsPath();
    // Everything the open file holds, read through the open file even when its path no longer
    // leads to it.
    [[nodiscard]] FileFailure readBack(std::string &bytes);
    void close();

  private:
    // Closes the file when the step failed, and gives the failure.
    FileFailure Step(SystemError error);

    FileCalls &calls_;
    std::unique_ptr<OpenFile> file_;
    QString path_;
};

}  // namespace bis
