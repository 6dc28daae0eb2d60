#include "platform/QtJournalStore.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include "platform/LocalFileSystem.h"

namespace bis {

namespace {

const QString kSuffix = QStringLiteral(".journal");
const QString kDamagedSuffix = QStringLiteral(".damaged");
// The lock files of earlier versions, which stood beside their journals. They decide nothing.
const QString kOldLockSuffix = QStringLiteral(".lock");

// How many names are tried, for a journal or for a damaged journal's bytes, before giving up.
constexpr int kNameAttempts = 100;

// A number as 16 hex digits, zeros in front.
QString Hex16(quint64 number) {
    return QStringLiteral("%1").arg(number, 16, 16, QLatin1Char('0'));
}

// The lock of a journal, taken when no living program holds it; nothing when it cannot be taken,
// for whatever reason: another program holds it, the file system keeps no locks, the name is a
// symbolic link or no plain file.
std::unique_ptr<OpenFile> TakeLock(FileCalls &calls, const QString &journal) {
    std::unique_ptr<OpenFile> file;
    if (calls.openToLock(journal, file) != 0 || file->lock() != 0) {
        return nullptr;
    }
    return file;
}

// Whether the file under the name, not a symbolic link, holds exactly the bytes.
bool HoldsExactly(FileCalls &calls, const QString &path, const std::string &bytes) {
    std::unique_ptr<OpenFile> file;
    std::string there;
    return calls.openToLock(path, file) == 0 &&
           ReadBack(calls, *file, kMaxJournalBytes, there) == 0 && there == bytes;
}

}  // namespace

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
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString path = folder_ + u'/' + Hex16(QRandomGenerator::system()->generate64()) +
                             Hex16(QRandomGenerator::system()->generate64()) + kSuffix;
        if (calls_.exists(path)) {
            continue;
        }
        Lock lock;
        FileFailure failure = file_.create(path, bytes, lock);
        if (failure.kind == FileFailureKind::AlreadyExists) {
            continue;  // taken meanwhile, or its lock taken by a program starting
        }
        if (!failure.ok()) {
            return failure;
        }
        own_ = path;
        ownLock_ = std::move(lock);
        return {};
    }
    return {FileFailureKind::Other, QStringLiteral("no free name for a journal")};
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
    // Symbolic links are passed over, and so is one that takes a file's place meanwhile: the lock
    // is taken on the file under the name, never through a link.
    const QFileInfoList files =
        QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Time);
    for (const QFileInfo &file : files) {
        const QString path = file.filePath();
        if (path.endsWith(kDamagedSuffix) || path.endsWith(kOldLockSuffix) ||
            held_.count(path) > 0) {
            continue;
        }
        if (Lock lock = TakeLock(calls_, path)) {
            held_[path] = std::move(lock);
            journals.push_back(path);
        }
    }
    return journals;
}

FileFailure QtJournalStore::read(const QString &journal, std::string &bytes) {
    // Through the file whose lock is held, should the name have been given to another meanwhile.
    const auto held = held_.find(journal);
    const SystemError error = held != held_.end()
                                  ? ReadBack(calls_, *held->second, kMaxJournalBytes, bytes)
                                  : ReadWhole(calls_, journal, kMaxJournalBytes, bytes);
    return error != 0 ? calls_.failure(error) : FileFailure{};
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
    (void)calls_.remove(journal + kOldLockSuffix);
    return file_.adopt(journal, length);
}

FileFailure QtJournalStore::keepDamaged(const QString &journal, const std::string &bytes,
                                        QString &kept) {
    LocalFileSystem files(calls_, FileAccess::Private);
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const QString name =
            journal + (attempt == 1 ? QString() : u'.' + QString::number(attempt)) + kDamagedSuffix;
        const FileFailure failure = files.createNew(name, bytes);
        if (failure.ok() ||
            (failure.kind == FileFailureKind::AlreadyExists && HoldsExactly(calls_, name, bytes))) {
            kept = name;
            return {};
        }
        if (failure.kind != FileFailureKind::AlreadyExists) {
            return failure;
        }
    }
    return {FileFailureKind::Other, QStringLiteral("no free name for the damaged journal")};
}

void QtJournalStore::discard(const QString &journal) {
    const auto held = held_.find(journal);
    if (held != held_.end()) {
        Lock lock = std::move(held->second);
        held_.erase(held);
        (void)calls_.remove(journal + kOldLockSuffix);
        RemoveJournal(journal, std::move(lock));
    }
}

void QtJournalStore::release() {
    held_.clear();
}

void QtJournalStore::RemoveJournal(const QString &path, Lock lock) {
    // Should a stop follow, the journal of a show that is safe must not come back. The lock is
    // let go only once the file is gone, so that no start takes it up in between: on Windows the
    // lock's handle lets the file be removed while it is open.
    if (calls_.remove(path) == 0) {
        (void)calls_.flushFolder(FolderToFlush(path, calls_.folderSeparators()));
    }
    lock.reset();
}

}  // namespace bis
