#include "platform/JournalFile.h"

namespace bis {

FileFailure JournalFile::create(const QString &path, std::string_view bytes,
                                std::unique_ptr<OpenFile> &lock) {
    close();
    if (const SystemError error = calls_.createNew(path, FileAccess::Private, file_); error != 0) {
        return calls_.failure(error);
    }
    path_ = path;
    std::unique_ptr<OpenFile> locked;
    SystemError error = calls_.openToLock(path, locked);
    if (error == 0) {
        error = locked->lock();
    }
    if (error == calls_.errorNumbers().lockHeld) {
        error = calls_.errorNumbers().nameTaken;
    }
    if (FileFailure failure = Step(error); !failure.ok()) {
        return failure;
    }
    lock = std::move(locked);
    if (FileFailure failure = append(bytes); !failure.ok()) {
        return failure;
    }
    return Step(calls_.flushFolder(FolderToFlush(path, calls_.folderSeparators())));
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
