#include "platform/QtPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/PrintSystem.h"
#include "platform/ReportPainter.h"

namespace bis {

namespace {

PrintFailure Failed(PrintFailure::Kind kind, const QString &description = {}) {
    return {kind, description};
}

// What the print system says of the printer now: NotAvailable when it is gone (the queue was
// removed, or the print system stopped), PrinterError when it is stopped or disabled, None
// otherwise.
PrintFailure::Kind PrinterStateNow(const QString &printerName) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        return PrintFailure::Kind::NotAvailable;
    }
    if (info.state() == QPrinter::Error) {
        return PrintFailure::Kind::PrinterError;
    }
    return PrintFailure::Kind::None;
}

}  // namespace

PrintFailure QtPrinter::print(const PrintedReport &report) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return Failed(PrintFailure::Kind::NotAvailable);
    }
    const QString name = info.printerName();
    QPrinter printer(info, QPrinter::HighResolution);
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        return Failed(PrintFailure::Kind::NotAvailable);
    }
    if (!printer.isValid()) {
        return Failed(PrintFailure::Kind::PrinterError);
    }
    // The toolkit starts every job on A4 whatever the printer's paper; the printer's own
    // default paper wins. The layout fits portrait A4 and letter alike.
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid() && !printer.setPageSize(paper)) {
        return Failed(PrintFailure::Kind::PrinterError);
    }
    if (!printer.setPageOrientation(QPageLayout::Portrait)) {
        return Failed(PrintFailure::Kind::PrinterError);
    }
    printer.setDocName(QStringLiteral("Best in Show report"));

    if (const auto state = PrinterStateNow(name); state != PrintFailure::Kind::None) {
        return Failed(state);
    }
    const bool painted = PaintPrintedReport(report, printer);

    // The job was handed to the print system when painting ended; its answer is read before any
    // other call can replace it.
    const std::optional<QString> refusal = PrintSystemRefusal();

    if (const auto state = PrinterStateNow(name); state != PrintFailure::Kind::None) {
        return Failed(state);
    }
    if (!painted || printer.printerState() == QPrinter::Error) {
        return Failed(PrintFailure::Kind::PrinterError);
    }
    if (refusal) {
        return Failed(PrintFailure::Kind::Other, *refusal);
    }
    return {};
}

}  // namespace bis
