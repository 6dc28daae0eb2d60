// The PDF report's sheets: the printer's margins and resolution, the locale's paper.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <ostream>

#include "platform/QtPdfMaker.h"

namespace bis {
namespace {

struct PaperCase {
    const char *locale;
    QPageSize::PageSizeId paper;
};

void PrintTo(const PaperCase &c, std::ostream *out) {
    *out << c.locale;
}

class QtPdfMakerPaperTest : public ::testing::TestWithParam<PaperCase> {};

TEST_P(QtPdfMakerPaperTest, SheetsAreThoseOfAPrinterJobOnTheLocalesPaper) {
    const PaperCase &c = GetParam();
    const QPageLayout layout = QtPdfMaker(QLocale(QString::fromLatin1(c.locale))).pageLayout();

    // What the toolkit's printer starts a job of the report with, on the same paper.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(c.paper));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QPageLayout printed = printer.pageLayout();

    EXPECT_EQ(layout.pageSize().id(), c.paper);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.fullRectPoints(), printed.fullRectPoints());
    EXPECT_EQ(layout.paintRectPoints(), printed.paintRectPoints());
    EXPECT_EQ(QtPdfMaker::kResolution, printer.resolution());
}

INSTANTIATE_TEST_SUITE_P(
    Locales, QtPdfMakerPaperTest,
    ::testing::Values(PaperCase{"en_US", QPageSize::Letter}, PaperCase{"es_US", QPageSize::Letter},
                      PaperCase{"en_GB", QPageSize::A4}, PaperCase{"de_DE", QPageSize::A4},
                      PaperCase{"C", QPageSize::A4}),
    [](const ::testing::TestParamInfo<PaperCase> &info) { return std::string(info.param.locale); });

}  // namespace
}  // namespace bis
