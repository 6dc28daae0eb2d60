#include <sys/resource.h>

#include <QProcess>
#include <csignal>

#include "support/HostTools.h"
#include "support/TestSystem.h"

namespace bis::testing {

// Linux's font engine does not round a glyph's advance.
const double kColumnTolerance = 0.05;

// Debian stands in for Courier New with Liberation Mono.
QString BoldMonospacedFontPattern() {
    return QStringLiteral("LiberationMono-Bold");
}
QString RegularMonospacedFontPattern() {
    return QStringLiteral("LiberationMono\\s");
}

QString NoSuchFolderText() {
    return QStringLiteral("No such file or directory");
}
QString IsAFolderText() {
    return QStringLiteral("Is a directory");
}

QString PrintedText(const QByteArray &output) {
    return QString::fromUtf8(output);
}

void SetChildStep(QProcess &process, const std::function<void()> &step) {
    if (step) {
        process.setChildProcessModifier(step);
    }
}

const bool kChildFileSizeLimits = true;

// Ignores the signal of a file grown past the size limit and sets that limit. Runs in the child
// between fork and exec.
std::function<void()> FileSizeLimit(long bytes) {
    return [bytes]() {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
}

QString HostPath(const QString &path) {
    return path;
}

HostToolRun RunHostTool(const QString &name, const QStringList &arguments) {
    HostToolRun run;
    QProcess process;
    process.start(name, arguments);
    run.ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
             process.exitCode() == 0;
    run.output = process.readAllStandardOutput();
    if (!run.ok) {
        run.output += process.readAllStandardError();
        run.error = name + QStringLiteral(" failed: ") + QString::fromLocal8Bit(run.output);
    }
    return run;
}

}  // namespace bis::testing
