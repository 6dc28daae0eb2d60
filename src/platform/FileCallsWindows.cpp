#include <windows.h>

#include <QDir>
#include <algorithm>
#include <string>

#include "platform/FileCalls.h"
#include "platform/WindowsFileErrors.h"

namespace bis {

namespace {

// While it lives, a drive without its medium (a card reader, an empty floppy or DVD drive)
// fails with ERROR_NOT_READY instead of the system asking to insert a disk over the program.
class NoInsertDiskBox {
  public:
    NoInsertDiskBox() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~NoInsertDiskBox() { ::SetThreadErrorMode(previous_, nullptr); }
    NoInsertDiskBox(const NoInsertDiskBox &) = delete;
    NoInsertDiskBox &operator=(const NoInsertDiskBox &) = delete;

  private:
    DWORD previous_ = 0;
};

// The name as the system takes it: backslashes, as the toolkit's dialogs give forward ones.
std::wstring NativeName(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// An open file handle, closed when it goes.
class WindowsFile : public OpenFile {
  public:
    explicit WindowsFile(HANDLE handle) : handle_(handle) {}
    ~WindowsFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    WindowsFile(const WindowsFile &) = delete;
    WindowsFile &operator=(const WindowsFile &) = delete;

    SystemError read(char *buffer, std::size_t size, std::size_t &count) override {
        const NoInsertDiskBox noBox;
        DWORD read = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        if (!::ReadFile(handle_, buffer, chunk, &read, nullptr)) {
            return ::GetLastError();
        }
        count = read;
        return 0;
    }

    SystemError write(const char *bytes, std::size_t size, std::size_t &count) override {
        const NoInsertDiskBox noBox;
        DWORD done = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        const BOOL written = ::WriteFile(handle_, bytes, chunk, &done, nullptr);
        count = done;
        return written ? 0 : ::GetLastError();
    }

    SystemError flush() override {
        const NoInsertDiskBox noBox;
        return ::FlushFileBuffers(handle_) ? 0 : ::GetLastError();
    }

    SystemError close() override {
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : ::GetLastError();
    }

  private:
    HANDLE handle_;
};

class WindowsFileCalls : public FileCalls {
  public:
    SystemErrorNumbers errorNumbers() const override {
        return {ERROR_PATH_NOT_FOUND, ERROR_FILE_EXISTS, ERROR_FILE_TOO_LARGE};
    }

    // Either slash, and the colon of a drive letter ("C:show.oxl").
    QString folderSeparators() const override { return QStringLiteral("\\/:"); }

    FileFailure::Kind kindOf(SystemError error) const override {
        switch (error) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_INVALID_DRIVE:
            case ERROR_BAD_NETPATH:
            case ERROR_BAD_NET_NAME:
                return FileFailure::Kind::NotFound;
            case ERROR_FILE_EXISTS:
            case ERROR_ALREADY_EXISTS:
                return FileFailure::Kind::AlreadyExists;
            case ERROR_NOT_READY:
            case ERROR_NO_MEDIA_IN_DRIVE:
                return FileFailure::Kind::DriveNotReady;
            default:
                return FileFailure::Kind::Other;
        }
    }

    bool exists(const QString &path) override {
        const NoInsertDiskBox noBox;
        // A symbolic link counts as a name that is taken, whether or not it leads anywhere: the
        // attributes are those of the link itself. A file another program holds open without
        // sharing (a page file) still exists.
        return ::GetFileAttributesW(NativeName(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
               ::GetLastError() == ERROR_SHARING_VIOLATION;
    }

    SystemError openToRead(const QString &path, std::unique_ptr<OpenFile> &file,
                           std::int64_t &size) override {
        const NoInsertDiskBox noBox;
        const std::wstring name = NativeName(path);
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return kErrorDirectoryNotSupported;
        }
        const HANDLE handle = ::CreateFileW(
            name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return ::GetLastError();
        }
        auto opened = std::make_unique<WindowsFile>(handle);
        // A pipe or a device could hang the program; only files on a disk are read.
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            return ERROR_INVALID_FUNCTION;
        }
        LARGE_INTEGER length{};
        if (!::GetFileSizeEx(handle, &length)) {
            return ::GetLastError();
        }
        size = length.QuadPart;
        file = std::move(opened);
        return 0;
    }

    SystemError createNew(const QString &path, std::unique_ptr<OpenFile> &file) override {
        const NoInsertDiskBox noBox;
        const HANDLE handle = ::CreateFileW(NativeName(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return ::GetLastError();
        }
        file = std::make_unique<WindowsFile>(handle);
        return 0;
    }

    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, even by a file
    // that appeared a moment ago: nothing is ever replaced.
    SystemError moveToFreeName(const QString &from, const QString &to) override {
        const NoInsertDiskBox noBox;
        return ::MoveFileExW(NativeName(from).c_str(), NativeName(to).c_str(),
                             MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : ::GetLastError();
    }

    SystemError remove(const QString &path) override {
        const NoInsertDiskBox noBox;
        return ::DeleteFileW(NativeName(path).c_str()) ? 0 : ::GetLastError();
    }
};

WindowsFileCalls &TheWindowsFileCalls() {
    static WindowsFileCalls calls;
    return calls;
}

}  // namespace

FileFailure FileFailureOfWindowsError(unsigned long error) {
    return TheWindowsFileCalls().failure(error);
}

FileCalls &SystemFileCalls() {
    return TheWindowsFileCalls();
}

}  // namespace bis
