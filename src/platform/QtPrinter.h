#pragma once

#include "platform/QtPlatformOnly.h"

#include "platform/Printer.h"

namespace bis {

// The system's default printer, reached through the toolkit's print support without a dialog:
// portrait, at the printer's full resolution, on the default printer's own paper size.
//
// The toolkit reports few printing failures by itself (it falls back to writing a PDF file when
// there is no printer, and submits the job when painting ends without checking the answer), so
// each is looked for here: no default printer, or a printer that has gone, is NotAvailable; a
// printer in its error state or one that cannot be painted on is PrinterError. A job the print
// system refuses is Other with the print system's own description where the print system answers
// for the job (CUPS); the Windows spooler refuses a job by making the painting fail, which is
// PrinterError.
class QtPrinter : public Printer {
  public:
    [[nodiscard]] PrintFailure print(const PrintedReport &report) override;
};

}  // namespace bis
