#include "platform/ReportPainter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace bis {

QFont PrintedReportFont(const PrintedReport &report) {
    QFont font(QString::fromStdString(report.fontName));
    font.setPointSize(report.pointSize);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setKerning(false);
    return font;
}

bool PaintPrintedReport(const PrintedReport &report, QPagedPaintDevice &device) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QFont regular = PrintedReportFont(report);
    QFont bold = regular;
    bold.setBold(true);

    // Measured on the device itself, so that columns and lines follow its resolution.
    const QFontMetricsF metrics(regular, &device);
    const qreal characterWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const qreal lineSpacing = metrics.lineSpacing();
    const qreal lineHeight = metrics.ascent() + metrics.descent();
    const qreal sheetHeight = device.height();

    bool firstSheet = true;
    int lineOnSheet = 0;
    const auto startSheet = [&]() {
        if (!firstSheet && !device.newPage()) {
            return false;
        }
        firstSheet = false;
        lineOnSheet = 0;
        return true;
    };

    for (const PrintPage &page : report.pages) {
        if (!startSheet()) {
            painter.end();
            return false;
        }
        for (std::size_t i = 0; i < page.lineCount(); ++i) {
            if (lineOnSheet > 0 && lineOnSheet * lineSpacing + lineHeight > sheetHeight) {
                if (!startSheet()) {
                    painter.end();
                    return false;
                }
            }
            const qreal baseline = lineOnSheet * lineSpacing + metrics.ascent();
            for (const PrintRun &run : page.line(i)) {
                const std::string_view text = page.textOf(run);
                painter.setFont(run.bold ? bold : regular);
                painter.drawText(
                    QPointF((run.column - 1) * characterWidth, baseline),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            }
            ++lineOnSheet;
        }
    }
    return painter.end();
}

}  // namespace bis
