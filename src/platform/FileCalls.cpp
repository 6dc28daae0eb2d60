#include "platform/FileCalls.h"

#include <algorithm>

namespace bis {

SystemError WriteAll(FileCalls &calls, OpenFile &file, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t count = 0;
        if (const SystemError error = file.write(bytes.data(), bytes.size(), count); error != 0) {
            return error;
        }
        if (count == 0) {
            return calls.errorNumbers().noProgress;
        }
        bytes.remove_prefix(std::min(count, bytes.size()));
    }
    return 0;
}

SystemError ReadWhole(FileCalls &calls, const QString &path, std::int64_t maxBytes,
                      std::string &bytes) {
    std::unique_ptr<OpenFile> file;
    std::int64_t size = 0;
    if (const SystemError error = calls.openToRead(path, file, size); error != 0) {
        return error;
    }
    if (size > maxBytes) {
        return calls.errorNumbers().tooLarge;
    }
    return ReadBack(calls, *file, maxBytes, bytes);
}

SystemError ReadBack(FileCalls &calls, OpenFile &file, std::int64_t maxBytes, std::string &bytes) {
    std::string contents;
    char buffer[65536];
    for (;;) {
        std::size_t count = 0;
        if (const SystemError error = file.readAt(contents.size(), buffer, sizeof buffer, count);
            error != 0) {
            return error;
        }
        if (count == 0) {
            break;
        }
        contents.append(buffer, count);
        // The file may be growing while it is read.
        if (contents.size() > static_cast<std::size_t>(maxBytes)) {
            return calls.errorNumbers().tooLarge;
        }
    }
    bytes = std::move(contents);
    return 0;
}

QString FolderOf(const QString &path, const QString &separators) {
    for (qsizetype at = path.size(); at > 0; --at) {
        if (separators.contains(path[at - 1])) {
            return path.left(at);
        }
    }
    return {};
}

QString FolderToFlush(const QString &path, const QString &separators) {
    QString folder = FolderOf(path, separators);
    // A bare name, or one after a drive letter alone ("C:show.oxl"), is in the current folder.
    if (folder.isEmpty() || folder.endsWith(u':')) {
        folder += u'.';
    }
    return folder;
}

}  // namespace bis
