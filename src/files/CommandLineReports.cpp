#include "files/CommandLineReports.h"

#include <QStringList>
#include <string>
#include <vector>

#include "app/ExitStatus.h"
#include "files/FileActions.h"
#include "files/Reports.h"
#include "tabulation/Tabulation.h"

namespace bis {

namespace {

// One report of the run: where it goes and, once made, its bytes.
struct ReportOutput {
    QString path;
    std::string bytes;
};

void ReportFailure(std::ostream &errors, const QString &path, const QString &message) {
    errors << path.toStdString() << ": " << message.toStdString() << '\n';
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
    if (const auto refused = ReadShowFromPath(fileSystem, files.showFile, show)) {
        ReportFailure(errors, files.showFile, refused->text);
        return kExitFailure;
    }
    Tabulate(show);

    // Every name is checked before anything is written, so that one taken name leaves the
    // whole set unwritten.
    bool taken = false;
    for (const QString *path : {&files.textReport, &files.csvReport, &files.pdfReport}) {
        if (!path->isEmpty() && fileSystem.exists(*path)) {
            ReportFailure(
                errors, *path,
                FailureMessage({FileFailure::Kind::AlreadyExists, {}}, FileDirection::Save));
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
                          QStringLiteral("The report could not be painted as a PDF document."));
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
        ReportFailure(errors, output.path, FailureMessage(failure, FileDirection::Save));
        for (const ReportOutput *done : written) {
            if (const FileFailure removal = fileSystem.remove(done->path); !removal.ok()) {
                ReportFailure(errors, done->path,
                              QStringLiteral("Written, but could not be removed again: ") +
                                  removal.description);
            }
        }
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace bis
