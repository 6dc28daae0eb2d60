#include "platform/JournalFile.h"

#include "files/Journal.h"

namespace bis {

FileFailure JournalFile::create(const QString &path, std::string_view bytes,
                                std::unique_ptr<OpenFile> &lock) {
    close();
    // Written and flushed under a name of its own first, and only then moved under its name: a
    // stop leaves a journal whole at its name, or none there and the creation's bytes, which hold
    // no score, under the other.
    const QString creating = path + QString::fromUtf8(kJournalCreationSuffix);
    if (const SystemError error = calls_.createNew(creating, FileAccess::Private, file_);
        error != 0) {
        return calls_.failure(error);
    }
    path_ = creating;
    std::unique_ptr<OpenFile> locked;
    SystemError error = calls_.openToLock(creating, locked);
    if (error == 0) {
        error = locked->lock();
    }
    if (error == calls_.errorNumbers().lockHeld) {
        // A program starting up took the new file's lock first: the file is left to it.
        close();
        return calls_.failure(calls_.errorNumbers().nameTaken);
    }
    FileFailure failure = Step(error);
    if (failure.ok()) {
        failure = append(bytes);
    }
    // Closed before the move, which Windows refuses for a file open without sharing its removal;
    // the lock, on an open file that shares it, goes with the file.
    close();
    if (failure.ok()) {
        failure = Step(calls_.moveToFreeName(creating, path));
    }
    if (!failure.ok()) {
        (void)calls_.remove(creating);
        return failure;
    }
    path_ = path;
    failure = Step(calls_.openToAppend(path, file_));
    if (failure.ok()) {
        failure = Step(calls_.flushFolder(FolderToFlush(path, calls_.folderSeparators())));
    }
    if (!failure.ok()) {
        (void)calls_.remove(path);
        return failure;
    }
    lock = std::move(locked);
    return {};
}

FileFailure JournalFile::adopt(const QString &path, std::size_t length) {
    close();
    if (const SystemError error = calls_.openToAppend(path, file_); error != 0) {
        return calls_.failure(error);
    }
    path_ = path;
    if (FileFailure failure = Step(file_->truncate(length)); !failure.ok()) {
        return failure;
    }
    return Step(file_->flush());
}

FileFailure JournalFile::append(std::string_view bytes) {
    if (!file_) {
        return {FileFailureKind::Other, QStringLiteral("the journal is not open")};
    }
    if (FileFailure failure = Step(WriteAll(calls_, *file_, bytes)); !failure.ok()) {
        return failure;
    }
    return Step(file_->flush());
}

bool JournalFile::isAtItsPath() {
    return file_ && file_->isAt(path_);
}

FileFailure JournalFile::readBack(std::string &bytes) {
    if (!file_) {
        return {FileFailureKind::Other, QStringLiteral("the journal is not open")};
    }
    if (const SystemError error = ReadBack(calls_, *file_, kMaxJournalBytes, bytes); error != 0) {
        return calls_.failure(error);
    }
    return {};
}

void JournalFile::close() {
    if (file_) {
        (void)file_->close();
        file_.reset();
    }
}

FileFailure JournalFile::Step(SystemError error) {
    if (error == 0) {
        return {};
    }
    close();
    return calls_.failure(error);
}

}  // namespace bis
