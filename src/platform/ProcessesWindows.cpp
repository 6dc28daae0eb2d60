#include <windows.h>

#include <QFileInfo>

#include "platform/Processes.h"

namespace bis {

bool ProgramRuns(qint64 pid, const QString &programName) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD exitCode = 0;
    bool running = !::GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
    // A process of another program got the number after the program died.
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (running && !programName.isEmpty() &&
        ::QueryFullProcessImageNameW(process, 0, image, &size)) {
        running = QFileInfo(QString::fromWCharArray(image, static_cast<qsizetype>(size)))
                      .completeBaseName()
                      .compare(programName, Qt::CaseInsensitive) == 0;
    }
    ::CloseHandle(process);
    return running;
}

}  // namespace bis
