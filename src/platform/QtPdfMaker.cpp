#include "platform/QtPdfMaker.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>

#include "app/ProgramVersion.h"
#include "platform/ReportPainter.h"

namespace bis {

namespace {

// The margins the toolkit's printer starts every job with, in points.
constexpr qreal kMarginPoints = 10;

}  // namespace

QtPdfMaker::QtPdfMaker(const QLocale &locale)
    : paper_(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                     : QPageSize::A4) {}

QPageLayout QtPdfMaker::pageLayout() const {
    return QPageLayout(QPageSize(paper_), QPageLayout::Portrait,
                       QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints),
                       QPageLayout::Point);
}

std::optional<std::string> QtPdfMaker::makePdf(const PrintedReport &report, const QString &title) {
    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly)) {
        return std::nullopt;
    }
    {
        // The document is complete once the writer is gone.
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        if (!writer.setPageLayout(pageLayout())) {
            return std::nullopt;
        }
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("bestinshow ") + QString::fromLatin1(kProgramVersion));
        if (!PaintPrintedReport(report, writer)) {
            return std::nullopt;
        }
    }
    return buffer.data().toStdString();
}

}  // namespace bis
