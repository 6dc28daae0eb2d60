#pragma once

#include "platform/QtPlatformOnly.h"

#include <QLocale>
#include <QPageLayout>

#include "platform/PdfMaker.h"

namespace bis {

// The PDF report painted by the toolkit's PDF writer with the printer's own painting code, on
// the paper of the locale (Letter where it measures in US units, A4 elsewhere), portrait, with
// the margins and resolution the toolkit's printer gives a job of the report.
class QtPdfMaker : public PdfMaker {
  public:
    // The printer's resolution for a job at its highest quality, in dots per inch.
    static constexpr int kResolution = 1200;

    explicit QtPdfMaker(const QLocale &locale = QLocale());

    [[nodiscard]] std::optional<std::string> makePdf(const PrintedReport &report,
                                                     const QString &title) override;

    // The page every sheet of the report is painted on.
    [[nodiscard]] QPageLayout pageLayout() const;

  private:
    QPageSize::PageSizeId paper_;
};

}  // namespace bis
