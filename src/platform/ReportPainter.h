#pragma once

#include "platform/QtPlatformOnly.h"

#include <QFont>

#include "files/Reports.h"

class QPagedPaintDevice;

namespace bis {

// The regular font the report is printed in: the report's font name and point size. Where the
// named font is missing, the system substitutes its fixed-width look-alike.
[[nodiscard]] QFont PrintedReportFont(const PrintedReport &report);

// Paints the report on a paged device that is set up and not yet painted on: the printer of Print
// Report, or the PDF writer of the command line's PDF report. Each run starts at x = (column - 1)
// times the width of one character of the font, measured from the left edge of the printable area;
// lines follow one another at the font's line spacing from the top of the printable area; each
// page of the report begins on a new sheet, and a page whose lines would run past the bottom of
// the sheet goes on to the next sheet rather than being cut. False when painting could not begin
// or a new sheet could not be started; painting then stops.
[[nodiscard]] bool PaintPrintedReport(const PrintedReport &report, QPagedPaintDevice &device);

}  // namespace bis
