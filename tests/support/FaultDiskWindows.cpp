// The Windows file layer's system calls, answered by a FaultDisk.
#include <QString>

#include "platform/FileCallsWindows.h"
#include "support/FaultDisk.h"

namespace bis::testing {

namespace {

FaultDisk *disk = nullptr;

std::string Name(LPCWSTR name) {
    return QString::fromWCharArray(name).toStdString();
}

// FALSE with the system's error for a refusal, else TRUE.
BOOL Result(FaultDisk::Refusal refusal) {
    using Refusal = FaultDisk::Refusal;
    ::SetLastError(refusal == Refusal::NameTaken    ? ERROR_FILE_EXISTS
                   : refusal == Refusal::NoSuchName ? ERROR_FILE_NOT_FOUND
                   : refusal == Refusal::LockHeld   ? ERROR_LOCK_VIOLATION
                   : refusal == Refusal::NoLocks    ? ERROR_NOT_SUPPORTED
                                                    : ERROR_INVALID_HANDLE);
    return refusal == Refusal::None ? TRUE : FALSE;
}

// The open file or folder of the handle, or nothing with the system's error for it.
FaultDisk::Handle *Opened(HANDLE handle, bool file = true) {
    FaultDisk::Handle *h = disk->Opened(static_cast<int>(reinterpret_cast<std::intptr_t>(handle)));
    Result(FaultDisk::Refusal::NotOpen);
    return h != nullptr && (!file || h->file) ? h : nullptr;
}

HANDLE WINAPI OnCreateFile(LPCWSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                           DWORD flags, HANDLE) {
    // A name of no file opened with backup semantics is a folder.
    const bool folder = !disk->Find(Name(name)) && (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0 &&
                        disposition == OPEN_EXISTING;
    int number = -1;
    const FaultDisk::Refusal refusal = disk->Open(Name(name), disposition == CREATE_NEW,
                                                  disposition == CREATE_NEW, folder, false, number);
    return Result(refusal) ? reinterpret_cast<HANDLE>(std::intptr_t{number}) : INVALID_HANDLE_VALUE;
}

BOOL WINAPI OnCloseHandle(HANDLE handle) {
    return disk->Close(static_cast<int>(reinterpret_cast<std::intptr_t>(handle)))
               ? TRUE
               : Result(FaultDisk::Refusal::NotOpen);
}

BOOL WINAPI OnReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read,
                       LPOVERLAPPED overlapped) {
    FaultDisk::Handle *h = Opened(handle);
    if (h == nullptr) {
        return FALSE;
    }
    std::optional<std::uint64_t> at;
    if (overlapped != nullptr) {
        at = std::uint64_t{overlapped->OffsetHigh} << 32 | overlapped->Offset;
    }
    *read = static_cast<DWORD>(disk->Read(*h, at, buffer, size));
    if (at) {
        h->place = *at + *read;
    }
    if (*read == 0 && at && size > 0) {
        ::SetLastError(ERROR_HANDLE_EOF);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI OnWriteFile(HANDLE handle, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED) {
    FaultDisk::Handle *h = Opened(handle);
    if (h == nullptr) {
        return FALSE;
    }
    disk->Write(*h, std::string_view(static_cast<const char *>(bytes), size));
    *written = size;
    return TRUE;
}

BOOL WINAPI OnFlushFileBuffers(HANDLE handle) {
    FaultDisk::Handle *h = Opened(handle, false);
    if (h != nullptr) {
        disk->Flush(*h);
    }
    return h != nullptr;
}

BOOL WINAPI OnSetFilePointerEx(HANDLE handle, LARGE_INTEGER distance, PLARGE_INTEGER place,
                               DWORD method) {
    FaultDisk::Handle *h = Opened(handle);
    if (h == nullptr) {
        return FALSE;
    }
    const std::uint64_t base = method == FILE_BEGIN     ? 0
                               : method == FILE_CURRENT ? h->place
                                                        : disk->Size(*h->file);
    h->place = base + static_cast<std::uint64_t>(distance.QuadPart);
    if (place != nullptr) {
        place->QuadPart = static_cast<LONGLONG>(h->place);
    }
    return TRUE;
}

BOOL WINAPI OnSetEndOfFile(HANDLE handle) {
    FaultDisk::Handle *h = Opened(handle);
    if (h != nullptr) {
        disk->Truncate(*h->file, h->place);
    }
    return h != nullptr;
}

BOOL WINAPI OnGetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
    FaultDisk::Handle *h = Opened(handle);
    if (h != nullptr) {
        size->QuadPart = static_cast<LONGLONG>(disk->Size(*h->file));
    }
    return h != nullptr;
}

DWORD WINAPI OnGetFileType(HANDLE) {
    return FILE_TYPE_DISK;
}

DWORD WINAPI OnGetFileAttributes(LPCWSTR name) {
    return Result(disk->Find(Name(name)) ? FaultDisk::Refusal::None
                                         : FaultDisk::Refusal::NoSuchName)
               ? FILE_ATTRIBUTE_NORMAL
               : INVALID_FILE_ATTRIBUTES;
}

BOOL WINAPI OnGetFileInformationByHandle(HANDLE handle, LPBY_HANDLE_FILE_INFORMATION info) {
    FaultDisk::Handle *h = Opened(handle);
    if (h != nullptr) {
        *info = {};
        info->dwVolumeSerialNumber = 1;
        info->nFileIndexLow = static_cast<DWORD>(*h->file);
        info->nNumberOfLinks = static_cast<DWORD>(disk->Links(*h->file));
    }
    return h != nullptr;
}

// A move that writes through is pending like any other until its folder is flushed: the flag
// waits only for a move made as a copy and a removal, never for a rename within one volume.
BOOL WINAPI OnMoveFileEx(LPCWSTR from, LPCWSTR to, DWORD) {
    return Result(disk->Move(Name(from), Name(to)));
}

BOOL WINAPI OnDeleteFile(LPCWSTR name) {
    return Result(disk->Unlink(Name(name)));
}

BOOL WINAPI OnLockFileEx(HANDLE handle, DWORD, DWORD, DWORD, DWORD, LPOVERLAPPED) {
    return Result(disk->Lock(static_cast<int>(reinterpret_cast<std::intptr_t>(handle))));
}

void WINAPI OnSleep(DWORD) {}

const WindowsSystemCalls kCalls{
    OnCreateFile,
    OnCloseHandle,
    OnReadFile,
    OnWriteFile,
    OnFlushFileBuffers,
    OnSetFilePointerEx,
    OnSetEndOfFile,
    OnGetFileSizeEx,
    OnGetFileType,
    OnGetFileAttributes,
    OnGetFileInformationByHandle,
    OnMoveFileEx,
    OnDeleteFile,
    OnLockFileEx,
    OnSleep,
};

}  // namespace

std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &faultDisk) {
    disk = &faultDisk;
    return WindowsFileCallsOn(kCalls);
}

}  // namespace bis::testing
