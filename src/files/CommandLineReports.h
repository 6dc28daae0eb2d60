#pragma once

#include <QString>
#include <ostream>

#include "app/ShowRecord.h"
#include "platform/FileSystem.h"
#include "platform/PdfMaker.h"

namespace bis {

// The files named on the command line: the show file, and the reports to write from it (an
// empty name for a report not asked for).
struct ReportFiles {
    QString showFile;
    QString textReport;
    QString csvReport;
    QString pdfReport;

    [[nodiscard]] bool anyReport() const {
        return !textReport.isEmpty() || !csvReport.isEmpty() || !pdfReport.isEmpty();
    }
};

// The title in the PDF report's properties: "Best in Show report: <club>, <date>", leaving out
// whichever of the two is empty.
[[nodiscard]] QString PdfReportTitle(const ShowRecord &show);

// Writes the reports asked for without any screen. The show file is read as Recall Existing
// Report reads it and tabulated as the summary of results tabulates it; the text report then
// holds exactly the bytes Prepare Report to View writes (with the decimal separator), the CSV
// report those of Prepare CSV Report, and the PDF report the pages Print Report prints (with the
// decimal separator).
//
// The reports are a set: when any of their names is taken, none is written, and when a write
// fails after others of the run were written, those are removed again, so a run leaves either
// every report or none. Every failure is one line on the error stream, the file's name and the
// program's own message ("spring.txt: Sorry, file already exists. Please try another name.").
// Returns kExitSuccess when every report was written, kExitFailure otherwise.
[[nodiscard]] int WriteReportsFromCommandLine(const ReportFiles &files, FileSystem &fileSystem,
                                              PdfMaker &pdfMaker, char decimalSeparator,
                                              std::ostream &errors);

}  // namespace bis
