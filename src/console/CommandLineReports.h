#pragma once

#include <QString>
#include <ostream>

#include "app/ShowRecord.h"
#include "console/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/PdfMaker.h"

namespace bis {

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
// every report or none. Every failure is one line on the error stream for a user at a shell: the
// file's name and what went wrong, with the reason ("spring.txt: already exists, and reports
// never replace a file"; "spring.oxl: not a show file: line 5: expected the number of judges (a
// whole number from 1 to 32767), found 'x'"). Returns kExitSuccess when every report was written,
// kExitFailure otherwise.
[[nodiscard]] int WriteReportsFromCommandLine(const ReportFiles &files, FileSystem &fileSystem,
                                              PdfMaker &pdfMaker, char decimalSeparator,
                                              std::ostream &errors);

}  // namespace bis
