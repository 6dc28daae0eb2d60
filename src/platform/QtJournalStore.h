#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <map>
#include <memory>

#include "platform/FileCalls.h"
#include "platform/JournalFile.h"
#include "platform/JournalStore.h"

class QLockFile;

namespace bis {

// The journals in a folder of the user's own data folder (under ~/.local/share on Linux, under
// %LOCALAPPDATA% on Windows), one file named <random>.journal for each running program, written
// through the one file layer. Each journal has a lock file beside it, which names the program's
// host and process and is held while the program runs. A program that dies leaves its lock file
// behind; a lock that names this host and a process that no longer runs the program is stale and
// is taken over, whatever machine id it carries. So a journal whose lock can be taken is one left
// behind, and none is hidden for good.
class QtJournalStore : public JournalStore {
  public:
    // A journal's lock, held by this program until it goes.
    struct ReleaseLock {
        void operator()(QLockFile *lock) const;
    };
    using Lock = std::unique_ptr<QLockFile, ReleaseLock>;

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
    // Makes this program's journal a new file holding the bytes, under a fresh name whose lock it
    // takes; the journal it had, if any, is let go but not removed.
    FileFailure StartJournal(const std::string &bytes);
    // Removes a journal file and makes its removal durable, then lets go of its lock.
    void RemoveJournal(const QString &path, Lock lock);

    QString folder_;
    FileCalls &calls_;
    JournalFile file_;
    QString own_;
    Lock ownLock_;
    std::map<QString, Lock> held_;
};

}  // namespace bis
