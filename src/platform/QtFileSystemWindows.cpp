#include <windows.h>

#include <QByteArray>
#include <QDir>
#include <QRandomGenerator>
#include <algorithm>
#include <string>

#include "platform/QtFileSystem.h"
#include "platform/WindowsFileErrors.h"

// The Windows file system, on the system's own calls rather than QFile: QFile reports every
// failure to open as one error, and the program must tell a missing file, a taken name and a
// drive without its medium apart, which only the system's error code does.

namespace bis {

namespace {

// The largest file read. A show file of the most judges the program can hold is under 2 MiB, so
// anything much larger was chosen by mistake and would only fill the memory.
constexpr LONGLONG kMaxReadBytes = 64 * 1024 * 1024;

// "An operation is not supported on a directory.": ERROR_DIRECTORY_NOT_SUPPORTED, which
// MinGW-w64's headers lack.
constexpr DWORD kErrorDirectoryNotSupported = 336;

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

// Closes a file handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    [[nodiscard]] HANDLE get() const { return handle_; }
    [[nodiscard]] bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now. 0, or the error code.
    [[nodiscard]] DWORD close() {
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : ::GetLastError();
    }

  private:
    HANDLE handle_;
};

// The name as the system takes it: backslashes, as the toolkit's dialogs give forward ones.
std::wstring NativeName(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// The folder part of a native name, with its final separator ("" for a bare name, "C:" kept).
std::wstring FolderOf(const std::wstring &name) {
    const auto end = name.find_last_of(L"\\:");
    return end == std::wstring::npos ? std::wstring() : name.substr(0, end + 1);
}

FileFailure LastFailure() {
    return FileFailureOfWindowsError(::GetLastError());
}

// Writes every byte, makes sure they reached the disk, and closes the file. 0, or the error code.
DWORD FillAndClose(Handle &file, const std::string &bytes) {
    DWORD error = 0;
    std::size_t written = 0;
    while (error == 0 && written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        if (!::WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr)) {
            error = ::GetLastError();
        }
        written += done;
    }
    if (error == 0 && !::FlushFileBuffers(file.get())) {
        error = ::GetLastError();
    }
    const DWORD closeError = file.close();
    return error != 0 ? error : closeError;
}

}  // namespace

FileFailure FileFailureOfWindowsError(unsigned long error) {
    FileFailure failure;
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            failure.kind = FileFailure::Kind::NotFound;
            break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            failure.kind = FileFailure::Kind::AlreadyExists;
            break;
        case ERROR_NOT_READY:
        case ERROR_NO_MEDIA_IN_DRIVE:
            failure.kind = FileFailure::Kind::DriveNotReady;
            break;
        default:
            failure.kind = FileFailure::Kind::Other;
            break;
    }
    failure.description = qt_error_string(static_cast<int>(error));
    return failure;
}

bool QtFileSystem::exists(const QString &path) {
    if (path.isEmpty()) {
        return false;
    }
    const NoInsertDiskBox noBox;
    // A symbolic link counts as a name that is taken, whether or not it leads anywhere: the
    // attributes are those of the link itself. A file another program holds open without
    // sharing (a page file) still exists.
    return ::GetFileAttributesW(NativeName(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
           ::GetLastError() == ERROR_SHARING_VIOLATION;
}

FileFailure QtFileSystem::readAll(const QString &path, std::string &bytes) {
    const NoInsertDiskBox noBox;
    const std::wstring name = NativeName(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileFailureOfWindowsError(kErrorDirectoryNotSupported);
    }
    const Handle file(::CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        return LastFailure();
    }
    // A pipe or a device picked by mistake could hang the program; only files on a disk are read.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return FileFailureOfWindowsError(ERROR_INVALID_FUNCTION);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return LastFailure();
    }
    if (size.QuadPart > kMaxReadBytes) {
        return FileFailureOfWindowsError(ERROR_FILE_TOO_LARGE);
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            return LastFailure();
        }
        if (read == 0) {
            break;
        }
        contents.append(buffer, read);
        // The file may be growing while it is read.
        if (contents.size() > static_cast<std::size_t>(kMaxReadBytes)) {
            return FileFailureOfWindowsError(ERROR_FILE_TOO_LARGE);
        }
    }
    bytes = std::move(contents);
    return {};
}

FileFailure QtFileSystem::createNew(const QString &path, const std::string &bytes) {
    if (path.isEmpty()) {
        return FileFailureOfWindowsError(ERROR_PATH_NOT_FOUND);
    }
    const NoInsertDiskBox noBox;
    const std::wstring target = NativeName(path);
    const std::wstring folder = FolderOf(target);

    // A fresh name in the same folder, so that the final move stays on one volume. The file is
    // created only if no file of that name exists.
    std::wstring temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder + L".bestinshow-" +
                    QString::number(QRandomGenerator::global()->generate64(), 36).toStdWString() +
                    L".tmp";
        created = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
            return LastFailure();
        }
    }
    if (created == INVALID_HANDLE_VALUE) {
        return FileFailureOfWindowsError(ERROR_FILE_EXISTS);
    }

    Handle file(created);
    DWORD error = FillAndClose(file, bytes);
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, even by a file
    // that appeared a moment ago: nothing is ever replaced.
    if (error == 0 && !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
    }
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        return FileFailureOfWindowsError(error);
    }
    return {};
}

FileFailure QtFileSystem::remove(const QString &path) {
    const NoInsertDiskBox noBox;
    if (!::DeleteFileW(NativeName(path).c_str())) {
        return LastFailure();
    }
    return {};
}

}  // namespace bis
