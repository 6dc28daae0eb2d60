#pragma once

// The Linux tools the tests read PDF files with (pdftotext, pdftohtml, pdffonts and pdfinfo, from
// Debian's poppler-utils). The Windows test programs run under Wine on the Linux machine. Wine
// starts a Linux program named by its full path, but cannot hand it a Windows pipe, so there the
// tool runs under the Linux shell with its output sent to a file, and takes file names as Linux
// writes them.
#ifdef _WIN32
#include <windows.h>

#include <QFile>
#include <QTemporaryDir>
#endif

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace bis::testing {

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

// How a run of a tool went: what it printed, or why it could not be run.
struct HostToolRun {
    bool ok = false;
    QByteArray output;
    QString error;
};

// Runs the tool (file names among the arguments given through HostPath) and waits for it.
inline HostToolRun RunHostTool(const QString &name, const QStringList &arguments) {
    HostToolRun run;
#ifdef _WIN32
    // Wine gives no handle to wait on for a Linux program, so the shell writes the tool's exit
    // status into a file of its own once the tool has ended, and the test waits for that file.
    QTemporaryDir folder;
    const QString output = QDir(folder.path()).filePath(QStringLiteral("output"));
    const QString status = QDir(folder.path()).filePath(QStringLiteral("status"));
    QString script = name;
    for (const QString &argument : arguments) {
        script += QStringLiteral(" '") + argument + u'\'';
    }
    script += QStringLiteral(" >'") + HostPath(output) + QStringLiteral("' 2>&1; echo $? >'") +
              HostPath(status) + QStringLiteral(".part' && mv '") + HostPath(status) +
              QStringLiteral(".part' '") + HostPath(status) + u'\'';
    std::wstring commandLine = L"Z:\\bin\\sh -c \"" + script.toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        run.error = name + QStringLiteral(" could not be started: ") + qt_error_string();
        return run;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int waited = 0; waited < 60000 && !QFile::exists(status); waited += 20) {
        ::Sleep(20);
    }
    QFile statusFile(status);
    QFile outputFile(output);
    run.ok = statusFile.open(QIODevice::ReadOnly) && statusFile.readAll().trimmed() == "0";
    run.output = outputFile.open(QIODevice::ReadOnly) ? outputFile.readAll() : QByteArray();
#else
    QProcess process;
    process.start(name, arguments);
    run.ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
             process.exitCode() == 0;
    run.output = process.readAllStandardOutput();
    if (!run.ok) {
        run.output += process.readAllStandardError();
    }
#endif
    if (!run.ok) {
        run.error = name + QStringLiteral(" failed: ") + QString::fromLocal8Bit(run.output);
    }
    return run;
}

}  // namespace bis::testing
