#include "platform/QtJournalStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <set>

#include "files/Journal.h"
#include "platform/LocalFileSystem.h"
#include "platform/Processes.h"

namespace bis {

namespace {

const QString kSuffix = QStringLiteral(".journal");
const QString kDamagedSuffix = QStringLiteral(".damaged");

// The lock files this program holds.
std::set<QString> &HeldHere() {
    static std::set<QString> held;
    return held;
}

// Whether a lock that could not be taken was left by a program that died: it names this host and
// a process that no longer runs the program, or this very process, which does not hold it (Wine
// gives a program started at once the process number of the one just killed). The toolkit judges
// only locks of this machine id so, and a regenerated or cloned machine id would hide the journal
// for good.
bool LeftByADeadProgram(const QLockFile &lock) {
    qint64 pid = 0;
    QString host;
    QString program;
    // Host names are told apart regardless of case: on Windows the lock holds the computer's
    // name in capitals and the system gives its host name in small letters.
    return lock.getLockInfo(&pid, &host, &program) &&
           host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0 &&
           (pid == QCoreApplication::applicationPid() || !ProgramRuns(pid, program));
}

// The lock of a journal, taken when no living program holds it. A lock is never stale by age:
// a show may be typed in for hours.
QtJournalStore::Lock TakeLock(const QString &journal) {
    QtJournalStore::Lock lock(new QLockFile(journal + QStringLiteral(".lock")));
    lock->setStaleLockTime(0);
    if (HeldHere().count(lock->fileName()) > 0) {
        return nullptr;
    }
    if (!lock->tryLock(0) &&
        !(LeftByADeadProgram(*lock) && lock->removeStaleLockFile() && lock->tryLock(0))) {
        return nullptr;
    }
    HeldHere().insert(lock->fileName());
    return lock;
}

}  // namespace

void QtJournalStore::ReleaseLock::operator()(QLockFile *lock) const {
    HeldHere().erase(lock->fileName());
    delete lock;
}

QtJournalStore::QtJournalStore(const QString &folder, FileCalls &calls)
    : folder_(folder), calls_(calls), file_(calls) {}

QtJournalStore::~QtJournalStore() = default;

QString QtJournalStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/journals");
}

FileFailure QtJournalStore::create(const std::string &bytes) {
    remove();
    return StartJournal(bytes);
}

FileFailure QtJournalStore::StartJournal(const std::string &bytes) {
    // The folder's own entry is flushed too, in case this start made the folder.
    if (!QDir().mkpath(folder_) ||
        !QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return {FileFailureKind::Other,
                QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder_))};
    }
    if (const SystemError error =
            calls_.flushFolder(FolderToFlush(folder_, calls_.folderSeparators()));
        error != 0) {
        return calls_.failure(error);
    }
    QString path;
    Lock lock;
    for (int attempt = 0; attempt < 100 && !lock; ++attempt) {
        const quint64 high = QRandomGenerator::system()->generate64();
        const quint64 low = QRandomGenerator::system()->generate64();
        path = folder_ + u'/' + QString::number(high, 16) + QString::number(low, 16) + kSuffix;
        if (!calls_.exists(path)) {
            lock = TakeLock(path);
        }
    }
    if (!lock) {
        return {FileFailureKind::Other, QStringLiteral("no free name for a journal")};
    }
    if (FileFailure failure = file_.create(path, bytes); !failure.ok()) {
        (void)calls_.remove(path);
        (void)calls_.remove(path + QString::fromUtf8(kJournalCreationSuffix));
        return failure;
    }
    own_ = path;
    ownLock_ = std::move(lock);
    return {};
}

FileFailure QtJournalStore::append(const std::string &bytes) {
    if (FileFailure failure = file_.append(bytes); !failure.ok() || file_.isAtItsPath()) {
        return failure;
    }
    // Removed or replaced under the program: everything the journal holds goes on in a new one.
    std::string whole;
    if (FileFailure failure = file_.readBack(whole); !failure.ok()) {
        return failure;
    }
    file_.close();
    return StartJournal(whole);
}

void QtJournalStore::remove() {
    file_.close();
    if (!own_.isEmpty()) {
        RemoveJournal(own_, std::move(ownLock_));
        own_.clear();
    }
}

std::vector<QString> QtJournalStore::leftBehind() {
    std::vector<QString> journals;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &file : files) {
        const QString path = file.filePath();
        if (path == own_ || held_.count(path) > 0) {
            continue;
        }
        if (auto lock = TakeLock(path)) {
            held_[path] = std::move(lock);
            journals.push_back(path);
        }
    }
    return journals;
}

FileFailure QtJournalStore::read(const QString &journal, std::string &bytes) {
    if (const SystemError error = ReadWhole(calls_, journal, kMaxJournalBytes, bytes); error != 0) {
        return calls_.failure(error);
    }
    return {};
}

FileFailure QtJournalStore::adopt(const QString &journal, std::size_t length) {
    const auto held = held_.find(journal);
    if (held == held_.end()) {
        return {FileFailureKind::Other, QStringLiteral("the journal is not held")};
    }
    remove();
    own_ = journal;
    ownLock_ = std::move(held->second);
    held_.erase(held);
    return file_.adopt(journal, length);
}

FileFailure QtJournalStore::keepDamaged(const QString &journal, const std::string &bytes,
                                        QString &kept) {
    kept = journal + kDamagedSuffix;
    const FileFailure failure = LocalFileSystem(calls_, FileAccess::Private).createNew(kept, bytes);
    if (failure.kind == FileFailureKind::AlreadyExists) {
        return {};
    }
    return failure;
}

void QtJournalStore::discard(const QString &journal) {
    const auto held = held_.find(journal);
    if (held != held_.end()) {
        auto lock = std::move(held->second);
        held_.erase(held);
        RemoveJournal(journal, std::move(lock));
    }
}

void QtJournalStore::release() {
    held_.clear();
}

void QtJournalStore::RemoveJournal(const QString &path, Lock lock) {
    // Should a stop follow, the journal of a show that is safe must not come back.
    if (calls_.remove(path) == 0) {
        (void)calls_.flushFolder(FolderToFlush(path, calls_.folderSeparators()));
    }
    lock.reset();
}

}  // namespace bis
