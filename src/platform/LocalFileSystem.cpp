#include "platform/LocalFileSystem.h"

#include <QRandomGenerator>

namespace bis {

namespace {

// The largest file read. A show file of the most judges the program can hold is under 2 MiB, so
// anything much larger was chosen by mistake and would only fill the memory.
constexpr std::int64_t kMaxReadBytes = 64 * 1024 * 1024;

// How many fresh temporary names are tried before giving up.
constexpr int kTemporaryNameAttempts = 100;

// The folder part of a path, with its final separator ("" for a bare name).
QString FolderOf(const QString &path, const QString &separators) {
    for (qsizetype at = path.size(); at > 0; --at) {
        if (separators.contains(path[at - 1])) {
            return path.left(at);
        }
    }
    return {};
}

// Writes every byte, going on after a short write, makes sure they reached the disk, and closes
// the file. 0, or the first error.
SystemError FillAndClose(OpenFile &file, const std::string &bytes) {
    SystemError error = 0;
    for (std::size_t written = 0; error == 0 && written < bytes.size();) {
        std::size_t count = 0;
        error = file.write(bytes.data() + written, bytes.size() - written, count);
        written += count;
    }
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
    const SystemError tooLarge = calls_.errorNumbers().tooLarge;
    std::unique_ptr<OpenFile> file;
    std::int64_t size = 0;
    if (const SystemError error = calls_.openToRead(path, file, size); error != 0) {
        return calls_.failure(error);
    }
    if (size > kMaxReadBytes) {
        return calls_.failure(tooLarge);
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        std::size_t count = 0;
        if (const SystemError error = file->read(buffer, sizeof buffer, count); error != 0) {
            return calls_.failure(error);
        }
        if (count == 0) {
            break;
        }
        contents.append(buffer, count);
        // The file may be growing while it is read.
        if (contents.size() > static_cast<std::size_t>(kMaxReadBytes)) {
            return calls_.failure(tooLarge);
        }
    }
    bytes = std::move(contents);
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
        const SystemError error = calls_.createNew(temporary, file);
        if (error != 0 && error != numbers.nameTaken) {
            return calls_.failure(error);
        }
    }
    if (!file) {
        return calls_.failure(numbers.nameTaken);
    }

    SystemError error = FillAndClose(*file, bytes);
    if (error == 0) {
        error = calls_.moveToFreeName(temporary, path);
    }
    if (error == kNoMoveWithoutReplacing) {
        (void)calls_.remove(temporary);
        std::unique_ptr<OpenFile> inPlace;
        error = calls_.createNew(path, inPlace);
        if (error == 0) {
            error = FillAndClose(*inPlace, bytes);
            if (error != 0) {
                (void)calls_.remove(path);
            }
        }
    }
    if (error != 0) {
        (void)calls_.remove(temporary);
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
