#include "console/CommandLineReports.h"

#include <QStringList>
#include <string>
#include <vector>

#include "console/ExitStatus.h"
#include "files/Reports.h"
#include "files/ShowFileLoad.h"
#include "tabulation/Tabulation.h"

namespace bis {

namespace {

// One report of the run: where it goes and, once made, its bytes.
struct ReportOutput {
    QString path;
    std::string bytes;
};

// Writes the failure's line. What went wrong may quote the show file (its version text), so any
// control character in it is shown as "?": a crafted file must not reach the terminal's escape
// sequences or break the one line.
void ReportFailure(std::ostream &errors, const QString &path, const QString &what) {
    QString shown = what;
    for (QChar &ch : shown) {
        if (ch.category() == QChar::Other_Control) {
            ch = u'?';
        }
    }
    errors << path.toStdString() << ": " << shown.toStdString() << '\n';
}

// The system's own description of a failure, or the given words where it gave none.
QString SystemReason(const FileFailure &failure, const char *otherwise) {
    return failure.description.isEmpty() ? QString::fromLatin1(otherwise) : failure.description;
}

// What went wrong with the show file, in plain words with the reason.
QString ShowFileFailure(const ShowFileLoad &load) {
    switch (load.file.kind) {
        case FileFailure::Kind::None:
            break;
        case FileFailure::Kind::NotFound:
            return QStringLiteral("does not exist");
        case FileFailure::Kind::AlreadyExists:
        case FileFailure::Kind::DriveNotReady:
        case FileFailure::Kind::Other:
            return QStringLiteral("cannot be read: ") +
                   SystemReason(load.file, "the drive is not ready");
    }
    // The reader takes every file whose version agrees with the program's in its first ten
    // characters, "Version 02".
    const QString version = QString::fromLatin1(kProgramVersion);
    const QString ours = QStringLiteral("; this program (") + version +
                         QStringLiteral(") reads only ") + version.left(10) +
                         QStringLiteral(" show files");
    switch (load.show.outcome) {
        case ShowFileReadResult::Outcome::NotVersioned:
            return QStringLiteral("prepared with Version 1") + ours;
        case ShowFileReadResult::Outcome::WrongVersion:
            return QStringLiteral("prepared with ") +
                   QString::fromStdString(load.show.fileVersion) + ours;
        case ShowFileReadResult::Outcome::Unreadable:
        case ShowFileReadResult::Outcome::Read:
            break;
    }
    return QStringLiteral("not a show file: line %1: ").arg(load.show.line) +
           QString::fromStdString(load.show.reason);
}

const QString kNameTaken = QStringLiteral("already exists, and reports never replace a file");

// What went wrong writing a report: a taken name, or the system's reason.
QString WriteFailure(const FileFailure &failure) {
    if (failure.kind == FileFailure::Kind::AlreadyExists) {
        return kNameTaken;
    }
    return QStringLiteral("cannot be written: ") +
           SystemReason(failure, failure.kind == FileFailure::Kind::DriveNotReady
                                     ? "the drive is not ready"
                                     : "the system gave no reason");
}

}  // namespace

QString PdfReportTitle(const ShowRecord &show) {
    QStringList particulars;
    for (const std::string *text : {&show.ClubName, &show.ShowDate}) {
        if (!text->empty()) {
            particulars << QString::fromStdString(*text);
        }
    }
    QString title = QStringLiteral("Best in Show report");
    if (!particulars.isEmpty()) {
        title += QStringLiteral(": ") + particulars.join(QStringLiteral(", "));
    }
    return title;
}

int WriteReportsFromCommandLine(const ReportFiles &files, FileSystem &fileSystem,
                                PdfMaker &pdfMaker, char decimalSeparator, std::ostream &errors) {
    ShowRecord show;
    show.Initialise();
    if (const ShowFileLoad load = LoadShowFile(fileSystem, files.showFile, show); !load.ok()) {
        ReportFailure(errors, files.showFile, ShowFileFailure(load));
        return kExitFailure;
    }
    Tabulate(show);

    // Every name is checked before anything is written, so that one taken name leaves the
    // whole set unwritten.
    bool taken = false;
    for (const QString *path : {&files.textReport, &files.csvReport, &files.pdfReport}) {
        if (!path->isEmpty() && fileSystem.exists(*path)) {
            ReportFailure(errors, *path, kNameTaken);
            taken = true;
        }
    }
    if (taken) {
        return kExitFailure;
    }

    std::vector<ReportOutput> outputs;
    if (!files.textReport.isEmpty()) {
        outputs.push_back({files.textReport, TextReportBytes(show, decimalSeparator)});
    }
    if (!files.csvReport.isEmpty()) {
        outputs.push_back({files.csvReport, CsvReportBytes(show)});
    }
    if (!files.pdfReport.isEmpty()) {
        auto pdf =
            pdfMaker.makePdf(PrintedReportPages(show, decimalSeparator), PdfReportTitle(show));
        if (!pdf) {
            ReportFailure(errors, files.pdfReport,
                          QStringLiteral("the report could not be painted as a PDF document"));
            return kExitFailure;
        }
        outputs.push_back({files.pdfReport, std::move(*pdf)});
    }

    std::vector<const ReportOutput *> written;
    for (const ReportOutput &output : outputs) {
        const FileFailure failure = fileSystem.createNew(output.path, output.bytes);
        if (failure.ok()) {
            written.push_back(&output);
            continue;
        }
        ReportFailure(errors, output.path, WriteFailure(failure));
        for (const ReportOutput *done : written) {
            if (const FileFailure removal = fileSystem.remove(done->path); !removal.ok()) {
                ReportFailure(errors, done->path,
                              QStringLiteral("written, but could not be removed again: ") +
                                  removal.description);
            }
        }
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace bis
