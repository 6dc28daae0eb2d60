#include "platform/QtJournalStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <set>

namespace bis {

namespace {

const QString kSuffix = QStringLiteral(".journal");

// A journal larger than this is no journal of a show: 32767 judges take under 20 MiB.
constexpr qint64 kMaxJournalBytes = 256 * 1024 * 1024;

// The lock files this program holds.
std::set<QString> &HeldHere() {
    static std::set<QString> held;
    return held;
}

// The lock of a journal, taken when no living program holds it. A lock is never stale by age:
// a show may be typed in for hours. A lock that names this very program but is not one it holds
// was left by a program that died and whose process number the system gave to this one, as Wine
// does at once.
QtJournalStore::Lock TakeLock(const QString &journal) {
    QtJournalStore::Lock lock(new QLockFile(journal + QStringLiteral(".lock")));
    lock->setStaleLockTime(0);
    qint64 pid = 0;
    if (HeldHere().count(lock->fileName()) > 0) {
        return nullptr;
    }
    if (!lock->tryLock(0) &&
        !(lock->getLockInfo(&pid, nullptr, nullptr) && pid == QCoreApplication::applicationPid() &&
          lock->removeStaleLockFile() && lock->tryLock(0))) {
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

QtJournalStore::QtJournalStore(const QString &folder, std::unique_ptr<JournalDisk> disk)
    : folder_(folder), disk_(std::move(disk)), file_(*disk_) {}

QtJournalStore::~QtJournalStore() = default;

QString QtJournalStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/journals");
}

FileFailure QtJournalStore::create(const std::string &bytes) {
    remove();
    // The folder and the one above it are flushed too, in case this start made them.
    if (!QDir().mkpath(folder_) ||
        !QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return {FileFailureKind::Other,
                QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder_))};
    }
    if (FileFailure failure = disk_->flushFolder(QFileInfo(folder_).absolutePath());
        !failure.ok()) {
        return failure;
    }
    QString path;
    Lock lock;
    for (int attempt = 0; attempt < 100 && !lock; ++attempt) {
        const quint64 high = QRandomGenerator::system()->generate64();
        const quint64 low = QRandomGenerator::system()->generate64();
        path = folder_ + u'/' + QString::number(high, 16) + QString::number(low, 16) + kSuffix;
        if (!QFile::exists(path)) {
            lock = TakeLock(path);
        }
    }
    if (!lock) {
        return {FileFailureKind::Other, QStringLiteral("no free name for a journal")};
    }
    if (FileFailure failure = file_.create(path, bytes); !failure.ok()) {
        QFile::remove(path);
        return failure;
    }
    own_ = path;
    ownLock_ = std::move(lock);
    return {};
}

FileFailure QtJournalStore::append(const std::string &bytes) {
    return file_.append(bytes);
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
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly)) {
        return {FileFailureKind::Other, file.errorString()};
    }
    if (file.size() > kMaxJournalBytes) {
        return {FileFailureKind::Other, QStringLiteral("the journal is too large")};
    }
    const QByteArray contents = file.readAll();
    bytes.assign(contents.constData(), static_cast<std::size_t>(contents.size()));
    return {};
}

FileFailure QtJournalStore::adopt(const QString &journal, std::size_t length) {
    const auto held = held_.find(journal);
    if (held == held_.end()) {
        return {FileFailureKind::Other, QStringLiteral("the journal is not held")};
    }
    remove();
    if (FileFailure failure = file_.adopt(journal, length); !failure.ok()) {
        return failure;
    }
    own_ = journal;
    ownLock_ = std::move(held->second);
    held_.erase(held);
    return {};
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
    if (QFile::remove(path)) {
        (void)disk_->flushFolder(folder_);
    }
    lock.reset();
}

}  // namespace bis
