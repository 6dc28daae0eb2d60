#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <iostream>

#include "platform/Console.h"

namespace bis {

namespace {

// True when the standard handle already leads somewhere: a file, a pipe or a console.
bool Redirected(DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

std::optional<QStringList> SystemArguments() {
    int count = 0;
    wchar_t **const wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::nullopt;
    }
    QStringList arguments;
    for (int i = 0; i < count; ++i) {
        arguments << QString::fromWCharArray(wide[i]);
    }
    ::LocalFree(wide);
    return arguments;
}

void UseStartersConsole() {
    const bool output = Redirected(STD_OUTPUT_HANDLE);
    const bool error = Redirected(STD_ERROR_HANDLE);
    if ((output && error) || !::AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    // The C library's streams were set up before the console was joined; they are opened on it
    // again, and the C++ streams follow them.
    if (!output && std::freopen("CONOUT$", "w", stdout) != nullptr) {
        std::cout.clear();
    }
    if (!error && std::freopen("CONOUT$", "w", stderr) != nullptr) {
        std::cerr.clear();
    }
}

void UseWindowlessToolkit() {}

}  // namespace bis
