#include "platform/FileCallsWindows.h"

#include <QDir>
#include <algorithm>
#include <string>

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

// The most bytes one call reads or writes.
constexpr std::size_t kChunk = 1 << 20;

// The byte a file's lock covers: past the end of any journal (which stays under 256 MiB), so that
// reads and writes of the journal through other handles are never refused for it.
constexpr DWORD kLockedByte = 1U << 30;

// Whether two handles are one file: the same volume and the same file index.
bool SameFile(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

// An open file handle, closed when it goes.
class WindowsFile : public OpenFile {
  public:
    WindowsFile(const WindowsSystemCalls &sys, HANDLE handle) : sys_(sys), handle_(handle) {}
    ~WindowsFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            sys_.CloseHandle(handle_);
        }
    }
    WindowsFile(const WindowsFile &) = delete;
    WindowsFile &operator=(const WindowsFile &) = delete;

    // A read at a place moves the place of the next write, which goes back to the end. Every
    // file is read so: a show file, opened to read alone, has no next write, and a journal only
    // grows at its end.
    SystemError readAt(std::uint64_t offset, char *buffer, std::size_t size,
                       std::size_t &count) override {
        const NoInsertDiskBox noBox;
        OVERLAPPED place{};
        place.Offset = static_cast<DWORD>(offset);
        place.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        const BOOL done = sys_.ReadFile(handle_, buffer, static_cast<DWORD>(std::min(size, kChunk)),
                                        &read, &place);
        const DWORD error = done ? 0 : ::GetLastError();
        count = read;
        if (error != 0 && error != ERROR_HANDLE_EOF) {
            return error;
        }
        return ToTheEnd();
    }

    SystemError write(const char *bytes, std::size_t size, std::size_t &count) override {
        const NoInsertDiskBox noBox;
        DWORD done = 0;
        const BOOL written = sys_.WriteFile(
            handle_, bytes, static_cast<DWORD>(std::min(size, kChunk)), &done, nullptr);
        count = done;
        return written ? 0 : ::GetLastError();
    }

    SystemError flush() override {
        const NoInsertDiskBox noBox;
        return sys_.FlushFileBuffers(handle_) ? 0 : ::GetLastError();
    }

    // Cutting the file back also puts the place of the next write at its new end.
    SystemError truncate(std::uint64_t length) override {
        const NoInsertDiskBox noBox;
        LARGE_INTEGER place;
        place.QuadPart = static_cast<LONGLONG>(length);
        if (!sys_.SetFilePointerEx(handle_, place, nullptr, FILE_BEGIN) ||
            !sys_.SetEndOfFile(handle_)) {
            return ::GetLastError();
        }
        return 0;
    }

    // A file the program opened for its own (the journal) shares no right to remove or move it, so
    // while it is open it stays at its path; this still asks the system.
    bool isAt(const QString &path) override {
        const NoInsertDiskBox noBox;
        BY_HANDLE_FILE_INFORMATION open{};
        if (!sys_.GetFileInformationByHandle(handle_, &open) || open.nNumberOfLinks == 0) {
            return false;
        }
        const HANDLE named = sys_.CreateFileW(
            NativeName(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (named == INVALID_HANDLE_VALUE) {
            return false;
        }
        BY_HANDLE_FILE_INFORMATION there{};
        const bool same = sys_.GetFileInformationByHandle(named, &there) && SameFile(open, there);
        sys_.CloseHandle(named);
        return same;
    }

    // A lock of one byte, held by this handle alone: another handle of the same program conflicts
    // with it as one of another program does.
    SystemError lock() override {
        const NoInsertDiskBox noBox;
        OVERLAPPED place{};
        place.Offset = kLockedByte;
        return sys_.LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                               0, &place)
                   ? 0
                   : ::GetLastError();
    }

    SystemError close() override {
        const BOOL closed = sys_.CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : ::GetLastError();
    }

    SystemError ToTheEnd() {
        LARGE_INTEGER zero{};
        return sys_.SetFilePointerEx(handle_, zero, nullptr, FILE_END) ? 0 : ::GetLastError();
    }

  private:
    const WindowsSystemCalls &sys_;
    HANDLE handle_;
};

class WindowsFileCalls : public FileCalls {
  public:
    explicit WindowsFileCalls(const WindowsSystemCalls &sys) : sys_(sys) {}

    SystemErrorNumbers errorNumbers() const override {
        return {ERROR_PATH_NOT_FOUND, ERROR_FILE_EXISTS, ERROR_FILE_TOO_LARGE, ERROR_WRITE_FAULT,
                ERROR_LOCK_VIOLATION};
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
        return sys_.GetFileAttributesW(NativeName(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
               ::GetLastError() == ERROR_SHARING_VIOLATION;
    }

    SystemError openToRead(const QString &path, std::unique_ptr<OpenFile> &file,
                           std::int64_t &size) override {
        const NoInsertDiskBox noBox;
        const std::wstring name = NativeName(path);
        const DWORD attributes = sys_.GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return kErrorDirectoryNotSupported;
        }
        const HANDLE handle = sys_.CreateFileW(
            name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return ::GetLastError();
        }
        auto opened = std::make_unique<WindowsFile>(sys_, handle);
        // A pipe or a device could hang the program; only files on a disk are read.
        if (sys_.GetFileType(handle) != FILE_TYPE_DISK) {
            return ERROR_INVALID_FUNCTION;
        }
        LARGE_INTEGER length{};
        if (!sys_.GetFileSizeEx(handle, &length)) {
            return ::GetLastError();
        }
        size = length.QuadPart;
        file = std::move(opened);
        return 0;
    }

    // The link itself is opened rather than what it leads to, and refused. Shared with every
    // right, so that the journal's own handle can be opened beside it and the file removed while
    // this handle still holds its lock.
    SystemError openToLock(const QString &path, std::unique_ptr<OpenFile> &file) override {
        const NoInsertDiskBox noBox;
        const HANDLE handle =
            sys_.CreateFileW(NativeName(path).c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return ::GetLastError();
        }
        auto opened = std::make_unique<WindowsFile>(sys_, handle);
        BY_HANDLE_FILE_INFORMATION info{};
        if (sys_.GetFileType(handle) != FILE_TYPE_DISK) {
            return ERROR_INVALID_FUNCTION;
        }
        if (!sys_.GetFileInformationByHandle(handle, &info)) {
            return ::GetLastError();
        }
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return kErrorDirectoryNotSupported;
        }
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return ERROR_CANT_RESOLVE_FILENAME;
        }
        file = std::move(opened);
        return 0;
    }

    // A show file or a report is shared with no one while it is written. A journal may be read
    // by others, but not written, moved or removed while the program has it open.
    SystemError createNew(const QString &path, FileAccess access,
                          std::unique_ptr<OpenFile> &file) override {
        const bool own = access == FileAccess::Private;
        return Open(path, own ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE,
                    own ? FILE_SHARE_READ : 0, CREATE_NEW, file);
    }

    SystemError openToAppend(const QString &path, std::unique_ptr<OpenFile> &file) override {
        std::unique_ptr<OpenFile> opened;
        if (const SystemError error =
                Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, opened);
            error != 0) {
            return error;
        }
        if (const SystemError error = static_cast<WindowsFile &>(*opened).ToTheEnd(); error != 0) {
            return error;
        }
        file = std::move(opened);
        return 0;
    }

    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, even by a file
    // that appeared a moment ago: nothing is ever replaced. MOVEFILE_WRITE_THROUGH waits only for
    // a move made as a copy and a removal (to another volume); a rename within the folder is on
    // the disk once the folder is flushed.
    SystemError moveToFreeName(const QString &from, const QString &to) override {
        const std::wstring source = NativeName(from);
        const std::wstring target = NativeName(to);
        return Retried([&] {
            return sys_.MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        });
    }

    SystemError remove(const QString &path) override {
        const std::wstring name = NativeName(path);
        return Retried([&] { return sys_.DeleteFileW(name.c_str()); });
    }

    // FlushFileBuffers on a handle of the folder, which NTFS takes as a flush of the folder's
    // entries. Windows documents no such flush, and FAT, network shares and Wine refuse the handle
    // or the flush, as does a folder that cannot be opened so (its rights, another program holding
    // it): there the folder's changes are as safe as the file system's own log keeps them, and no
    // more.
    SystemError flushFolder(const QString &folder) override {
        const NoInsertDiskBox noBox;
        const HANDLE handle =
            sys_.CreateFileW(NativeName(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return 0;
        }
        const SystemError error = sys_.FlushFileBuffers(handle) ? 0 : Refused(::GetLastError());
        sys_.CloseHandle(handle);
        return error;
    }

  private:
    // 0 for the errors of a file system that offers no flush of a folder, else the error.
    static SystemError Refused(DWORD error) {
        switch (error) {
            case ERROR_ACCESS_DENIED:
            case ERROR_INVALID_FUNCTION:
            case ERROR_INVALID_PARAMETER:
            case ERROR_NOT_SUPPORTED:
                return 0;
            default:
                return error;
        }
    }

    // Runs a move or a removal, and again while another program holds the file open for a moment
    // (a virus scanner or an indexer looking at a new file): ten more times, waiting a little
    // longer each time, about a second and a half in all.
    template <typename Call>
    SystemError Retried(const Call &call) {
        const NoInsertDiskBox noBox;
        for (DWORD attempt = 0;; ++attempt) {
            if (call()) {
                return 0;
            }
            const DWORD error = ::GetLastError();
            const bool heldOpen = error == ERROR_SHARING_VIOLATION ||
                                  error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
            if (!heldOpen || attempt == 10) {
                return error;
            }
            sys_.Sleep(25 * (attempt + 1));
        }
    }

    SystemError Open(const QString &path, DWORD access, DWORD share, DWORD disposition,
                     std::unique_ptr<OpenFile> &file) {
        const NoInsertDiskBox noBox;
        const HANDLE handle = sys_.CreateFileW(NativeName(path).c_str(), access, share, nullptr,
                                               disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return ::GetLastError();
        }
        file = std::make_unique<WindowsFile>(sys_, handle);
        return 0;
    }

    const WindowsSystemCalls &sys_;
};

WindowsFileCalls &TheWindowsFileCalls() {
    static WindowsFileCalls calls(RealWindowsSystemCalls());
    return calls;
}

}  // namespace

const WindowsSystemCalls &RealWindowsSystemCalls() {
    static const WindowsSystemCalls calls{
        ::CreateFileW,
        ::CloseHandle,
        ::ReadFile,
        ::WriteFile,
        ::FlushFileBuffers,
        ::SetFilePointerEx,
        ::SetEndOfFile,
        ::GetFileSizeEx,
        ::GetFileType,
        ::GetFileAttributesW,
        ::GetFileInformationByHandle,
        ::MoveFileExW,
        ::DeleteFileW,
        ::LockFileEx,
        ::Sleep,
    };
    return calls;
}

std::unique_ptr<FileCalls> WindowsFileCallsOn(const WindowsSystemCalls &calls) {
    return std::make_unique<WindowsFileCalls>(calls);
}

FileFailure FileFailureOfWindowsError(unsigned long error) {
    return TheWindowsFileCalls().failure(error);
}

FileCalls &SystemFileCalls() {
    return TheWindowsFileCalls();
}

}  // namespace bis
