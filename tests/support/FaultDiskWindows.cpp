// The Windows file layer's system calls, answered by a FaultDisk.
#include <QString>
#include <cstring>

#include "platform/FileCallsWindows.h"
#include "support/FaultDisk.h"

namespace bis::testing {

namespace {

FaultDisk *disk = nullptr;

struct Handle {
    std::string path;
    std::optional<FaultDisk::Inode> file;  // nothing for a folder
    std::uint64_t place = 0;
};

std::map<std::intptr_t, Handle> handles;
std::intptr_t nextHandle = 1000;

std::string Key(LPCWSTR name) {
    return FaultDisk::Key(QString::fromWCharArray(name).toStdString());
}

Handle *Find(HANDLE handle) {
    const auto found = handles.find(reinterpret_cast<std::intptr_t>(handle));
    if (found == handles.end()) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &found->second;
}

BOOL Failed(DWORD error) {
    ::SetLastError(error);
    return FALSE;
}

HANDLE WINAPI OnCreateFile(LPCWSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                           DWORD flags, HANDLE) {
    const std::string key = Key(name);
    std::optional<FaultDisk::Inode> file = disk->Find(key);
    const bool folder =
        !file && disposition == OPEN_EXISTING && (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0;
    if (file && disposition == CREATE_NEW) {
        ::SetLastError(ERROR_FILE_EXISTS);
        return INVALID_HANDLE_VALUE;
    }
    if (!file && !folder && disposition == OPEN_EXISTING) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!file && !folder) {
        file = disk->Create(key);
    }
    handles[nextHandle] = {key, file};
    return reinterpret_cast<HANDLE>(nextHandle++);
}

BOOL WINAPI OnCloseHandle(HANDLE handle) {
    return handles.erase(reinterpret_cast<std::intptr_t>(handle)) != 0
               ? TRUE
               : Failed(ERROR_INVALID_HANDLE);
}

BOOL WINAPI OnReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read,
                       LPOVERLAPPED overlapped) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return FALSE;
    }
    const std::uint64_t at =
        overlapped != nullptr ? (std::uint64_t{overlapped->OffsetHigh} << 32) | overlapped->Offset
                              : h->place;
    const std::string &bytes = disk->Bytes(*h->file);
    const std::size_t count =
        at >= bytes.size() ? 0 : std::min<std::size_t>(size, bytes.size() - at);
    std::memcpy(buffer, bytes.data() + at, count);
    *read = static_cast<DWORD>(count);
    h->place = at + count;
    return count == 0 && overlapped != nullptr && size > 0 ? Failed(ERROR_HANDLE_EOF) : TRUE;
}

BOOL WINAPI OnWriteFile(HANDLE handle, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return FALSE;
    }
    disk->Write(*h->file, h->place, std::string_view(static_cast<const char *>(bytes), size));
    h->place += size;
    *written = size;
    return TRUE;
}

BOOL WINAPI OnFlushFileBuffers(HANDLE handle) {
    Handle *h = Find(handle);
    if (h == nullptr) {
        return FALSE;
    }
    if (h->file) {
        disk->FlushFile(*h->file);
    } else {
        disk->FlushFolder(h->path);
    }
    return TRUE;
}

BOOL WINAPI OnSetFilePointerEx(HANDLE handle, LARGE_INTEGER distance, PLARGE_INTEGER place,
                               DWORD method) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return FALSE;
    }
    const std::uint64_t base = method == FILE_BEGIN     ? 0
                               : method == FILE_CURRENT ? h->place
                                                        : disk->Bytes(*h->file).size();
    h->place = base + static_cast<std::uint64_t>(distance.QuadPart);
    if (place != nullptr) {
        place->QuadPart = static_cast<LONGLONG>(h->place);
    }
    return TRUE;
}

BOOL WINAPI OnSetEndOfFile(HANDLE handle) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return FALSE;
    }
    disk->Truncate(*h->file, h->place);
    return TRUE;
}

BOOL WINAPI OnGetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return FALSE;
    }
    size->QuadPart = static_cast<LONGLONG>(disk->Bytes(*h->file).size());
    return TRUE;
}

DWORD WINAPI OnGetFileType(HANDLE) {
    return FILE_TYPE_DISK;
}

DWORD WINAPI OnGetFileAttributes(LPCWSTR name) {
    if (!disk->Find(Key(name))) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    return FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI OnGetFileInformationByHandle(HANDLE handle, LPBY_HANDLE_FILE_INFORMATION info) {
    Handle *h = Find(handle);
    if (h == nullptr || !h->file) {
        return Failed(ERROR_INVALID_FUNCTION);
    }
    *info = {};
    info->dwVolumeSerialNumber = 1;
    info->nFileIndexLow = static_cast<DWORD>(*h->file);
    info->nNumberOfLinks = static_cast<DWORD>(disk->Links(*h->file));
    return TRUE;
}

BOOL WINAPI OnMoveFileEx(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (!disk->Find(Key(from))) {
        return Failed(ERROR_FILE_NOT_FOUND);
    }
    if (disk->Find(Key(to))) {
        return Failed(ERROR_ALREADY_EXISTS);
    }
    disk->Move(Key(from), Key(to), (flags & MOVEFILE_WRITE_THROUGH) != 0);
    return TRUE;
}

BOOL WINAPI OnDeleteFile(LPCWSTR name) {
    if (!disk->Find(Key(name))) {
        return Failed(ERROR_FILE_NOT_FOUND);
    }
    disk->Unlink(Key(name));
    return TRUE;
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
    OnSleep,
};

}  // namespace

std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &faultDisk) {
    disk = &faultDisk;
    handles.clear();
    return WindowsFileCallsOn(kCalls);
}

}  // namespace bis::testing
