#pragma once

// What the tests expect differently on Linux and on Windows, in one place: each system has its
// own source (TestSystemPosix.cpp, TestSystemWindows.cpp), picked by the build.

#include <QByteArray>
#include <QString>
#include <functional>

class QProcess;

namespace bis::testing {

// How far from a whole character column a word of a PDF report may start.
extern const double kColumnTolerance;

// The names pdffonts gives the embedded faces of the report's bold and regular type, as regular
// expressions.
[[nodiscard]] QString BoldMonospacedFontPattern();
[[nodiscard]] QString RegularMonospacedFontPattern();

// The system's own words for a folder that is not there, and for a folder read as a file.
[[nodiscard]] QString NoSuchFolderText();
[[nodiscard]] QString IsAFolderText();

// What a program printed, as text with LF line ends.
[[nodiscard]] QString PrintedText(const QByteArray &output);

// Whether a started program can be given a smaller file-size limit than the test's own; only
// then does FileSizeLimit give a step.
extern const bool kChildFileSizeLimits;

// Has the step (when there is one) run in the child process just before it starts the program.
void SetChildStep(QProcess &process, const std::function<void()> &step);

// A step to run in a child process just before it starts the program: it limits the size of a
// file the child writes to the bytes, so that a write fails part-way as on a full disk.
[[nodiscard]] std::function<void()> FileSizeLimit(long bytes);

}  // namespace bis::testing
