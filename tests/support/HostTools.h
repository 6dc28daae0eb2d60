#pragma once

// The Linux tools the tests read PDF files with (pdftotext, pdftohtml and pdffonts, from Debian's
// poppler-utils). The Windows test programs run under Wine on the Linux machine, and Wine starts a
// Linux program given by its full path; such a program takes file names as Linux writes them.
#ifdef _WIN32
#include <windows.h>
#endif

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace bis::testing {

// Starts the tool with the arguments. Wine starts a Linux program only when it is named as the
// program to run, not merely first on the command line.
inline void StartHostTool(QProcess &process, const QString &name, const QStringList &arguments) {
#ifdef _WIN32
    static thread_local std::wstring program;
    program = L"Z:\\usr\\bin\\" + name.toStdWString();
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *start) { start->applicationName = program.c_str(); });
    process.start(QString::fromStdWString(program), arguments);
#else
    process.start(name, arguments);
#endif
}

// A file's name as the tool takes it.
inline QString HostPath(const QString &path) {
#ifdef _WIN32
    // Wine's own export: the Linux name of a Windows one, in memory the caller frees.
    using UnixFileName = char *(__cdecl *)(const wchar_t *);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void *>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr) {
        return path;
    }
    const std::wstring native = QDir::toNativeSeparators(QDir(path).absolutePath()).toStdWString();
    char *name = unixFileName(native.c_str());
    if (name == nullptr) {
        return path;
    }
    const QString result = QString::fromLocal8Bit(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
#else
    return path;
#endif
}

}  // namespace bis::testing
