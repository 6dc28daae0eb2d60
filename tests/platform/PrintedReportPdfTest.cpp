#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "files/Reports.h"
#include "platform/ReportPainter.h"
#include "support/HostTools.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"
#include "support/TestSystem.h"

namespace bis {
namespace {

using testing::FindWord;
using testing::GridWord;
using testing::SampleShow;

// Lines of 10 point Liberation Mono that fit an A4 sheet inside the printer's 10 point margins.
constexpr int kLinesPerA4Sheet = 72;

// Renders the report through the printing path into a PDF file, as the printer would get it.
class PrintedReportPdfTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    testing::PdfGrid render(const PrintedReport &report) {
        const QString pdf = QDir(folder_.path()).filePath("report.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        EXPECT_TRUE(PaintPrintedReport(report, printer));
        pdf_ = testing::ReadPdfWords(pdf);
        return testing::GridOf(pdf_);
    }

    QTemporaryDir folder_;
    testing::PdfText pdf_;
};

TEST_F(PrintedReportPdfTest, TheReportFontIsFixedPitch) {
    const QFont regular = PrintedReportFont(PrintedReportPages(SampleShow()));
    QFont bold = regular;
    bold.setBold(true);

    EXPECT_TRUE(QFontInfo(regular).fixedPitch()) << QFontInfo(regular).family().toStdString();
    EXPECT_TRUE(QFontInfo(bold).fixedPitch()) << QFontInfo(bold).family().toStdString();
    EXPECT_EQ(QFontInfo(regular).pointSize(), 10);
    const QFontMetricsF regularMetrics(regular);
    const QFontMetricsF boldMetrics(bold);
    for (const QChar ch : QStringLiteral("iWM.* ")) {
        EXPECT_DOUBLE_EQ(regularMetrics.horizontalAdvance(ch),
                         regularMetrics.horizontalAdvance('0'));
        EXPECT_DOUBLE_EQ(boldMetrics.horizontalAdvance(ch), regularMetrics.horizontalAdvance('0'));
    }
}

TEST_F(PrintedReportPdfTest, EveryWordStandsAtItsColumnAndLine) {
    const ShowRecord show = SampleShow();
    const PrintedReport report = PrintedReportPages(show);
    const testing::PdfGrid grid = render(report);
    ASSERT_EQ(grid.error, QString());

    // Two portrait sheets, in 10 point type: a cell 0.6 of the type size wide.
    ASSERT_EQ(pdf_.sheets.size(), 2u);
    for (const auto &sheet : pdf_.sheets) {
        EXPECT_LT(sheet.width, sheet.height);
    }
    EXPECT_NEAR(grid.pitch, 6.0, 0.05);
    EXPECT_NEAR(grid.lineSpacing, 11.35, 0.1);
    EXPECT_EQ(grid.offGrid, QStringList());
    EXPECT_EQ(testing::Sorted(grid.words), testing::ExpectedGridWords(report, kLinesPerA4Sheet));

    // The positions the printed page is known by, on both sheets.
    for (int sheet = 1; sheet <= 2; ++sheet) {
        SCOPED_TRACE(sheet);
        EXPECT_EQ(FindWord(grid, sheet, "OXL"), (GridWord{sheet, 9, 40, "OXL"}));
        EXPECT_EQ(FindWord(grid, sheet, "TABULATION"), (GridWord{sheet, 9, 57, "TABULATION"}));
        EXPECT_EQ(FindWord(grid, sheet, "Version"), (GridWord{sheet, 10, 48, "Version"}));
        EXPECT_EQ(FindWord(grid, sheet, "02.30"), (GridWord{sheet, 10, 56, "02.30"}));
        EXPECT_EQ(FindWord(grid, sheet, "Sponsoring"), (GridWord{sheet, 12, 13, "Sponsoring"}));
        EXPECT_EQ(FindWord(grid, sheet, "Judge's"), (GridWord{sheet, 17, 13, "Judge's"}));
        EXPECT_EQ(FindWord(grid, sheet, "RESULT"), (GridWord{sheet, 33, 13, "RESULT"}));
    }
    EXPECT_EQ(FindWord(grid, 1, "Left"), (GridWord{1, 11, 70, "Left"}));
    EXPECT_EQ(FindWord(grid, 2, "Right"), (GridWord{2, 11, 70, "Right"}));

    // The category columns begin at 27, 41, 55, 69 and 83 on both sheets.
    const struct {
        int sheet, line, column;
        const char *heading;
    } headings[] = {
        {1, 17, 27, "EXTRA"},     {1, 18, 27, "LARGE"},       {1, 18, 55, "SMALL"},
        {1, 18, 69, "MINIATURE"}, {1, 17, 83, "DBL.+POLY.+"}, {1, 18, 83, "MULTI"},
        {2, 18, 27, "SPIDER"},    {2, 17, 41, "UNUSUAL"},     {2, 18, 41, "FORM"},
        {2, 17, 55, "YOUTH"},     {2, 18, 55, "ENTRY"},       {2, 17, 69, "POPULARITY"},
        {2, 18, 69, "POLL"},      {2, 18, 83, "SEEDLING"},
    };
    for (const auto &h : headings) {
        EXPECT_NE(std::find(grid.words.begin(), grid.words.end(),
                            GridWord{h.sheet, h.line, h.column, h.heading}),
                  grid.words.end())
            << h.heading << " at sheet " << h.sheet << " line " << h.line << " column " << h.column;
    }
    // Category 1 won: its result stands on the last line of the first sheet (30 + 3 judges).
    EXPECT_EQ(FindWord(grid, 1, "Best"), (GridWord{1, 33, 27, "Best"}));
}

TEST_F(PrintedReportPdfTest, TheTitleAndVersionAreBold) {
    (void)render(PrintedReportPages(SampleShow()));
    const testing::HostToolRun fonts = testing::RunHostTool(
        "pdffonts", {testing::HostPath(QDir(folder_.path()).filePath("report.pdf"))});
    ASSERT_TRUE(fonts.ok) << fonts.error.toStdString();
    const QString list = QString::fromUtf8(fonts.output);
    EXPECT_TRUE(list.contains(QRegularExpression(testing::BoldMonospacedFontPattern())))
        << list.toStdString();
    EXPECT_TRUE(list.contains(QRegularExpression(testing::RegularMonospacedFontPattern())))
        << list.toStdString();
}

TEST_F(PrintedReportPdfTest, APageTooLongForTheSheetContinuesOnTheNext) {
    // Sixty judges make each page 90 lines long.
    const PrintedReport report = PrintedReportPages(SampleShow(60));
    ASSERT_EQ(report.pages[0].lineCount(), 90u);
    const testing::PdfGrid grid = render(report);
    ASSERT_EQ(grid.error, QString());

    ASSERT_EQ(pdf_.sheets.size(), 4u);
    EXPECT_EQ(grid.offGrid, QStringList());
    EXPECT_EQ(testing::Sorted(grid.words), testing::ExpectedGridWords(report, kLinesPerA4Sheet));
    for (const testing::PdfWord &word : pdf_.words) {
        EXPECT_LE(word.yMax, pdf_.sheets[0].height - 10) << word.text.toStdString();
    }
    // The second report page starts on a sheet of its own, with its title.
    EXPECT_EQ(FindWord(grid, 3, "Right"), (GridWord{3, 11, 70, "Right"}));
    EXPECT_EQ(FindWord(grid, 2, "OXL"), std::nullopt);
}

TEST_F(PrintedReportPdfTest, PaintingThatCannotBeginIsReported) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir(folder_.path()).filePath("no such folder/report.pdf"));
    EXPECT_FALSE(PaintPrintedReport(PrintedReportPages(SampleShow()), printer));
}

}  // namespace
}  // namespace bis
