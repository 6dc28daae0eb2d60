#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "platform/FileCallsWindows.h"
#include "support/HostTools.h"
#include "support/TestSystem.h"

namespace bis::testing {

// Windows' font engine rounds each glyph's advance to its device units, so along a long run of
// text a word may stand a twentieth of a character off.
const double kColumnTolerance = 0.1;

// Windows has Courier New itself; the toolkit names the embedded faces after it.
QString BoldMonospacedFontPattern() {
    return QStringLiteral("\\nCourierNew\\S*Bold\\s");
}
QString RegularMonospacedFontPattern() {
    return QStringLiteral("\\nCourierNew(Regular)?\\s");
}

QString NoSuchFolderText() {
    return qt_error_string(ERROR_PATH_NOT_FOUND);
}
QString IsAFolderText() {
    return qt_error_string(static_cast<int>(kErrorDirectoryNotSupported));
}

// A Windows program ends the lines it prints with CR LF, as the console and Notepad want.
QString PrintedText(const QByteArray &output) {
    return QString::fromUtf8(output).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void SetChildStep(QProcess &, const std::function<void()> &step) {
    EXPECT_FALSE(step) << "Windows has no step between creating a process and its start";
}

const bool kChildFileSizeLimits = false;

std::function<void()> FileSizeLimit(long) {
    return {};
}

QString HostPath(const QString &path) {
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
}

HostToolRun RunHostTool(const QString &name, const QStringList &arguments) {
    HostToolRun run;
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
    if (!run.ok) {
        run.error = name + QStringLiteral(" failed: ") + QString::fromLocal8Bit(run.output);
    }
    return run;
}

}  // namespace bis::testing
