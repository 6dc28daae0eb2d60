#include <windows.h>

#include <QDir>
#include <algorithm>

#include "platform/JournalDisk.h"

namespace bis {

namespace {

FileFailure LastFailure() {
    const DWORD error = ::GetLastError();
    return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                ? FileFailureKind::NotFound
                : FileFailureKind::Other,
            qt_error_string(static_cast<int>(error))};
}

HANDLE Native(JournalDisk::Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

class WindowsJournalDisk : public JournalDisk {
  public:
    FileFailure createNew(const QString &path, Handle &file) override {
        return Open(path, CREATE_NEW, file);
    }

    FileFailure openExisting(const QString &path, Handle &file) override {
        return Open(path, OPEN_EXISTING, file);
    }

    FileFailure write(Handle file, std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
            if (!::WriteFile(Native(file), bytes.data(), chunk, &written, nullptr)) {
                return LastFailure();
            }
            bytes.remove_prefix(written);
        }
        return {};
    }

    // Cutting the file back also puts the place of the next write at its new end.
    FileFailure truncate(Handle file, std::size_t length) override {
        LARGE_INTEGER place;
        place.QuadPart = static_cast<LONGLONG>(length);
        if (!::SetFilePointerEx(Native(file), place, nullptr, FILE_BEGIN) ||
            !::SetEndOfFile(Native(file))) {
            return LastFailure();
        }
        return {};
    }

    FileFailure flush(Handle file) override {
        if (!::FlushFileBuffers(Native(file))) {
            return LastFailure();
        }
        return {};
    }

    // Windows offers programs no flush of a folder: on NTFS a new file's entry in its folder is a
    // logged change of the volume's metadata, which flushing the file writes out with the log.
    FileFailure flushFolder(const QString &) override { return {}; }

    void close(Handle file) override { ::CloseHandle(Native(file)); }

  private:
    static FileFailure Open(const QString &path, DWORD disposition, Handle &file) {
        const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
        const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return LastFailure();
        }
        if (disposition == OPEN_EXISTING) {
            LARGE_INTEGER zero{};
            if (!::SetFilePointerEx(handle, zero, nullptr, FILE_END)) {
                const FileFailure failure = LastFailure();
                ::CloseHandle(handle);
                return failure;
            }
        }
        file = reinterpret_cast<Handle>(handle);
        return {};
    }
};

}  // namespace

std::unique_ptr<JournalDisk> SystemJournalDisk() {
    return std::make_unique<WindowsJournalDisk>();
}

}  // namespace bis
