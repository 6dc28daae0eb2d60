#include "platform/LocalFileSystem.h"

#include <QRandomGenerator>

namespace bis {

namespace {

// The largest file read. A show file of the most judges the program can hold is under 2 MiB, so
// anything much larger was chosen by mistake and would only fill the memory.
constexpr std::int64_t kMaxReadBytes = 64 * 1024 * 1024;

// How many fresh temporary names are tried before giving up.
constexpr int kTemporaryNameAttempts = 100;

// Writes every byte, makes sure they reached the disk, and closes the file. 0, or the first
// error.
SystemError FillAndClose(FileCalls &calls, OpenFile &file, const std::string &bytes) {
    SystemError error = WriteAll(calls, file, bytes);
    if (error == 0) {
        error = file.flush();
    }
    const SystemError closeError = file.close();
    return error != 0 ? error : closeError;
}

}  // namespace

bool LocalFileSystem::exists(const QString &path) {
    return !path.isEmpty() && calls_.exists(path);
}

FileFailure LocalFileSystem::readAll(const QString &path, std::string &bytes) {
    if (const SystemError error = ReadWhole(calls_, path, kMaxReadBytes, bytes); error != 0) {
        return calls_.failure(error);
    }
    return {};
}

FileFailure LocalFileSystem::createNew(const QString &path, const std::string &bytes) {
    const SystemErrorNumbers numbers = calls_.errorNumbers();
    if (path.isEmpty()) {
        return calls_.failure(numbers.noSuchPath);
    }
    const QString folder = FolderOf(path, calls_.folderSeparators());

    // A fresh hidden name in the same folder, so that the final move stays on one file system.
    QString temporary;
    std::unique_ptr<OpenFile> file;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !file; ++attempt) {
        temporary = folder + QStringLiteral(".bestinshow-") +
                    QString::number(QRandomGenerator::global()->generate64(), 36) +
                    QStringLiteral(".tmp");
        const SystemError error = calls_.createNew(temporary, access_, file);
        if (error != 0 && error != numbers.nameTaken) {
            return calls_.failure(error);
        }
    }
    if (!file) {
        return calls_.failure(numbers.nameTaken);
    }

    SystemError error = FillAndClose(calls_, *file, bytes);
    if (error == 0) {
        error = calls_.moveToFreeName(temporary, path);
    }
    if (error == kNoMoveWithoutReplacing) {
        (void)calls_.remove(temporary);
        std::unique_ptr<OpenFile> inPlace;
        error = calls_.createNew(path, access_, inPlace);
        if (error == 0) {
            error = FillAndClose(calls_, *inPlace, bytes);
            if (error != 0) {
                (void)calls_.remove(path);
            }
        }
    }
    if (error != 0) {
        (void)calls_.remove(temporary);
        return calls_.failure(error);
    }
    // The file's entry in its folder is on the disk too before the file counts as written: a
    // power cut may otherwise take the file back.
    if (error = calls_.flushFolder(FolderToFlush(path, calls_.folderSeparators())); error != 0) {
        (void)calls_.remove(path);
        return calls_.failure(error);
    }
    return {};
}

FileFailure LocalFileSystem::remove(const QString &path) {
    if (const SystemError error = calls_.remove(path); error != 0) {
        return calls_.failure(error);
    }
    return {};
}

}  // namespace bis
