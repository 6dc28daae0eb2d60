#pragma once

// The Linux tools the tests read PDF files with (pdftotext, pdftohtml, pdffonts and pdfinfo, from
// Debian's poppler-utils). The Windows test programs run under Wine on the Linux machine. Wine
// starts a Linux program named by its full path, but cannot hand it a Windows pipe, so there the
// tool runs under the Linux shell with its output sent to a file, and takes file names as Linux
// writes them (TestSystemPosix.cpp, TestSystemWindows.cpp).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bis::testing {

// A file's name as the tool takes it.
[[nodiscard]] QString HostPath(const QString &path);

// How a run of a tool went: what it printed, or why it could not be run.
struct HostToolRun {
    bool ok = false;
    QByteArray output;
    QString error;
};

// Runs the tool (file names among the arguments given through HostPath) and waits for it.
[[nodiscard]] HostToolRun RunHostTool(const QString &name, const QStringList &arguments);

}  // namespace bis::testing
