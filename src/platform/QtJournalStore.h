#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <map>
#include <memory>

#include "platform/FileCalls.h"
#include "platform/JournalFile.h"
#include "platform/JournalStore.h"

namespace bis {

// The journals in a folder of the user's own data folder (under ~/.local/share on Linux, under
// %LOCALAPPDATA% on Windows), one file named <32 hex digits>.journal for each running program,
// written through the one file layer. While a program runs it holds the system's lock on its
// journal, through an open file kept for that alone; the system drops the lock when the program
// ends, however it ends. So a journal whose lock can be taken is one left behind, and a journal
// whose lock cannot be taken belongs to a program still running. Nothing else (a process number,
// a host name, the lock files of earlier versions) decides it. Where the file system keeps no
// such locks, no journal is kept and none is offered.
class QtJournalStore : public JournalStore {
  public:
    // The journals in the folder, written through the given calls.
    explicit QtJournalStore(const QString &folder = DefaultFolder(),
                            FileCalls &calls = SystemFileCalls());
    ~QtJournalStore() override;
    QtJournalStore(const QtJournalStore &) = delete;
    QtJournalStore &operator=(const QtJournalStore &) = delete;

    // The "journals" folder in the application's own local data folder.
    [[nodiscard]] static QString DefaultFolder();

    [[nodiscard]] FileFailure create(const std::string &bytes) override;
    [[nodiscard]] FileFailure append(const std::string &bytes) override;
    void remove() override;
    [[nodiscard]] std::vector<QString> leftBehind() override;
    [[nodiscard]] FileFailure read(const QString &journal, std::string &bytes) override;
    [[nodiscard]] FileFailure adopt(const QString &journal, std::size_t length) override;
    [[nodiscard]] FileFailure keepDamaged(const QString &journal, const std::string &bytes,
                                          QString &kept) override;
    void discard(const QString &journal) override;
    void release() override;

  private:
    // An open file that holds a journal's lock.
    using Lock = std::unique_ptr<OpenFile>;

    // Makes this program's journal a new file holding the bytes, under a fresh name whose lock it
    // takes; the journal it had, if any, is let go but not removed.
    FileFailure StartJournal(const std::string &bytes);
    // Removes a journal file and makes its removal durable, then lets go of its lock.
    void RemoveJournal(const QString &path, Lock lock);

    QString folder_;
    FileCalls &calls_;
    // The locks go last, when the store goes: the journal is closed while its lock is still held.
    Lock ownLock_;
    std::map<QString, Lock> held_;  // found by leftBehind, by path
    QString own_;
    JournalFile file_;
};

}  // namespace bis
