#pragma once

#include "files/Reports.h"
#include "platform/Failure.h"

namespace bis {

// How printing failed.
enum class PrintFailureKind {
    None,          // printed
    NotAvailable,  // no default printer, or it is not available
    PrinterError,  // the printer or its driver failed, or its information could not be had
    Other,         // anything else; description holds the failure's own text
};
using PrintFailure = Failure<PrintFailureKind>;

// The system's default printer used as a text device: portrait pages, the report's font, each
// run of text at its character column, a new page between pages, and the job ended at the end.
class Printer {
  public:
    virtual ~Printer() = default;
    [[nodiscard]] virtual PrintFailure print(const PrintedReport &report) = 0;
};

}  // namespace bis
