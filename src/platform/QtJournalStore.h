#pragma once

#include "platform/QtPlatformOnly.h"

#include <QString>
#include <map>
#include <memory>

#include "platform/JournalFile.h"
#include "platform/JournalStore.h"

class QLockFile;

namespace bis {

// The journals in a folder of the user's own data folder (under ~/.local/share on Linux, under
// %LOCALAPPDATA% on Windows), one file named <random>.journal for each running program. Each
// journal has a lock file beside it, held while its program runs; the system lets go of it when
// the program dies, however it dies, so a journal whose lock can be taken is one left behind.
class QtJournalStore : public JournalStore {
  public:
    // A journal's lock, held by this program until it goes.
    struct ReleaseLock {
        void operator()(QLockFile *lock) const;
    };
    using Lock = std::unique_ptr<QLockFile, ReleaseLock>;

    // The journals in the folder, written through the system's calls.
    explicit QtJournalStore(const QString &folder = DefaultFolder(),
                            std::unique_ptr<JournalDisk> disk = SystemJournalDisk());
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
    void discard(const QString &journal) override;
    void release() override;

  private:
    // Removes a journal file and makes its removal durable, then lets go of its lock.
    void RemoveJournal(const QString &path, Lock lock);

    QString folder_;
    std::unique_ptr<JournalDisk> disk_;
    JournalFile file_;
    QString own_;
    Lock ownLock_;
    std::map<QString, Lock> held_;
};

}  // namespace bis
