#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace bis {

// Where the program keeps the journal of the show being entered: one file for each running
// program, in the user's own data folder, readable by that user alone. What the journal's bytes
// mean is the core's business; this only keeps them safe.
class JournalStore {
  public:
    virtual ~JournalStore() = default;

    // Starts this program's journal: a new file holding the bytes, which are on the disk, together
    // with the file's entry in its folder, before this returns.
    [[nodiscard]] virtual FileFailure create(const std::string &bytes) = 0;

    // Adds the bytes to the end of this program's journal; they are on the disk before this
    // returns. Should the journal have been removed or replaced meanwhile (by a clean-up tool),
    // its bytes go on in a new journal, and nothing is lost.
    [[nodiscard]] virtual FileFailure append(const std::string &bytes) = 0;

    // Removes this program's journal, when it has one: the show is safe or given up.
    virtual void remove() = 0;

    // The journals of programs that are no longer running, newest first, each of them now held by
    // this program, so that no other program offers it too. A journal of a program still running
    // is never among them, nor a damaged journal's kept bytes. Other files in the folder may be:
    // what a file's name and bytes say decides whether it is a journal.
    [[nodiscard]] virtual std::vector<QString> leftBehind() = 0;

    // Reads a journal found by leftBehind.
    [[nodiscard]] virtual FileFailure read(const QString &journal, std::string &bytes) = 0;

    // Makes a journal found by leftBehind this program's own, cut back to its first `length`
    // bytes, so that what is appended follows its last whole record. Should that fail, the journal
    // stays held by this program as its own all the same, so that no other program offers the
    // show this one goes on with.
    [[nodiscard]] virtual FileFailure adopt(const QString &journal, std::size_t length) = 0;

    // Keeps the bytes of a damaged journal found by leftBehind beside it, under its name followed
    // by ".damaged", where no start reads, offers or removes them; `kept` is that file's path. A
    // file already there counts as kept only if it holds exactly those bytes (an earlier start
    // kept them); one of other bytes, or a symbolic link, which is never followed, is left alone
    // and the next free name of ".2.damaged", ".3.damaged" and so on is taken instead.
    [[nodiscard]] virtual FileFailure keepDamaged(const QString &journal, const std::string &bytes,
                                                  QString &kept) = 0;

    // Removes a journal found by leftBehind.
    virtual void discard(const QString &journal) = 0;

    // Lets go of the journals found by leftBehind that were neither adopted nor discarded, for a
    // later start to offer.
    virtual void release() = 0;
};

}  // namespace bis
