#include "platform/JournalFile.h"

namespace bis {

FileFailure JournalFile::create(const QString &path, const std::string &bytes) {
    close();
    JournalDisk::Handle file = 0;
    if (FileFailure failure = disk_.createNew(path, file); !failure.ok()) {
        return failure;
    }
    file_ = file;
    if (FileFailure failure = append(bytes); !failure.ok()) {
        return failure;
    }
    const auto slash = path.lastIndexOf(u'/');
    return CloseOnFailure(disk_.flushFolder(slash < 0 ? QStringLiteral(".") : path.left(slash)));
}

FileFailure JournalFile::adopt(const QString &path, std::size_t length) {
    close();
    JournalDisk::Handle file = 0;
    if (FileFailure failure = disk_.openExisting(path, file); !failure.ok()) {
        return failure;
    }
    file_ = file;
    if (FileFailure failure = CloseOnFailure(disk_.truncate(file, length)); !failure.ok()) {
        return failure;
    }
    return CloseOnFailure(disk_.flush(file));
}

FileFailure JournalFile::append(const std::string &bytes) {
    if (!file_) {
        return {FileFailureKind::Other, QStringLiteral("the journal is not open")};
    }
    if (FileFailure failure = CloseOnFailure(disk_.write(*file_, bytes)); !failure.ok()) {
        return failure;
    }
    return CloseOnFailure(disk_.flush(*file_));
}

void JournalFile::close() {
    if (file_) {
        disk_.close(*file_);
        file_.reset();
    }
}

FileFailure JournalFile::CloseOnFailure(FileFailure failure) {
    if (!failure.ok()) {
        close();
    }
    return failure;
}

}  // namespace bis
