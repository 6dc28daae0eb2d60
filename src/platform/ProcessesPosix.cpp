#include <signal.h>

#include <QFileInfo>
#include <cerrno>

#include "platform/Processes.h"

namespace bis {

bool ProgramRuns(qint64 pid, const QString &programName) {
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) {
        return false;
    }
    // Linux names the program a process runs; a process of another name got the number after
    // the program died.
    const QString running = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return running.isEmpty() || programName.isEmpty() ||
           QFileInfo(running).fileName() == programName;
}

}  // namespace bis
