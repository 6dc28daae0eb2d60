#pragma once

#include "platform/QtPlatformOnly.h"

#include <windows.h>

#include <memory>

#include "platform/FileCalls.h"
#include "platform/FileSystem.h"

namespace bis {

// "An operation is not supported on a directory.": ERROR_DIRECTORY_NOT_SUPPORTED, which
// MinGW-w64's headers lack. Reading a folder as a file fails with it.
inline constexpr unsigned long kErrorDirectoryNotSupported = 336;

// The failure for a Windows system error code (GetLastError), with the system's own text.
[[nodiscard]] FileFailure FileFailureOfWindowsError(unsigned long error);

// The system calls the Windows file layer makes, one pointer each. The program uses the real ones;
// the crash tests put a disk of their own under the real layer, one that knows which writes and
// which changes of a folder were flushed, so that a layer that skips a flush fails them.
struct WindowsSystemCalls {
    HANDLE(WINAPI *CreateFileW)
    (LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
     DWORD flags, HANDLE templateFile);
    BOOL(WINAPI *CloseHandle)(HANDLE file);
    BOOL(WINAPI *ReadFile)
    (HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped);
    BOOL(WINAPI *WriteFile)
    (HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
    BOOL(WINAPI *FlushFileBuffers)(HANDLE file);
    BOOL(WINAPI *SetFilePointerEx)
    (HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER place, DWORD method);
    BOOL(WINAPI *SetEndOfFile)(HANDLE file);
    BOOL(WINAPI *GetFileSizeEx)(HANDLE file, PLARGE_INTEGER size);
    DWORD(WINAPI *GetFileType)(HANDLE file);
    DWORD(WINAPI *GetFileAttributesW)(LPCWSTR name);
    BOOL(WINAPI *GetFileInformationByHandle)(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info);
    BOOL(WINAPI *MoveFileExW)(LPCWSTR from, LPCWSTR to, DWORD flags);
    BOOL(WINAPI *DeleteFileW)(LPCWSTR name);
    BOOL(WINAPI *LockFileEx)
    (HANDLE file, DWORD flags, DWORD reserved, DWORD lowBytes, DWORD highBytes,
     LPOVERLAPPED overlapped);
    void(WINAPI *Sleep)(DWORD milliseconds);
};

// The calls of the running system.
[[nodiscard]] const WindowsSystemCalls &RealWindowsSystemCalls();

// The file layer on the given calls, which must outlive it. SystemFileCalls() is this layer on the
// real calls.
[[nodiscard]] std::unique_ptr<FileCalls> WindowsFileCallsOn(const WindowsSystemCalls &calls);

}  // namespace bis
