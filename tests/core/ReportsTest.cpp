#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "ShowBuilder.h"
#include "files/ColumnWriter.h"
#include "files/ReportLayout.h"
#include "files/Reports.h"
#include "support/CrLfLines.h"
#include "support/PageText.h"
#include "support/ReportColumns.h"
#include "tabulation/Tabulation.h"

namespace bis {
namespace {

using testing::At;
using testing::AtColumns;
using testing::CrLfLines;
using testing::kPageLabels;
using testing::kValueIndent;
using testing::PageColumn;
using testing::TextColumn;

ShowRecord CsvExampleShow() {
    ShowRecord show = testing::MakeShow(
        {3, 0, 5, 0, 1, 0, 0, 0, 0, 2},
        {{1.5, 0, 0.5, 0, 2, 0, 0, 0, 0, 3}, {0, 0, 1.5, 0, 2.5, 0, 0, 0, 0, 4.5}});
    show.ClubName = "Example Garden Club";
    show.ShowLocation = "Springfield";
    show.ShowDate = "07/11/2009";
    Tabulate(show);
    return show;
}

TEST(ColumnWriterTest, MovesToColumnsByTheRule) {
    const struct {
        const char *name;
        std::string before;
        int column;
        std::vector<std::string> lines;
    } cases[] = {
        {"PadsShortLine", "ab", 5, {"ab  "}},
        {"ExactLengthWritesNothing", "abcd", 5, {"abcd"}},
        {"LongerLineStartsNewOne", "abcdef", 5, {"abcdef", "    "}},
        {"EmptyLineToFirstColumn", "", 1, {""}},
    };
    for (const auto &c : cases) {
        ColumnWriter out;
        out.text(c.before);
        out.moveToColumn(c.column);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < out.lineCount(); ++i) {
            lines.emplace_back(out.line(i));
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

TEST(ReportLayoutTest, SplitsNamesAtTheFirstBlank) {
    const struct {
        const char *name;
        const char *top;
        const char *bottom;
    } cases[] = {
        {"EXTRA LARGE", "EXTRA", "LARGE"},
        {"LARGE", "", "LARGE"},
        {"DBL.+POLY.+ MULTI", "DBL.+POLY.+", "MULTI"},
        {"A B  C", "A", "B  C"},
    };
    for (const auto &c : cases) {
        const auto heading = SplitCategoryName(c.name);
        EXPECT_EQ(heading.top, c.top) << c.name;
        EXPECT_EQ(heading.bottom, c.bottom) << c.name;
    }
    ShowRecord show;
    show.Initialise();
    EXPECT_EQ(HeadWidth(show), 11);
}

TEST(CsvReportTest, MatchesTheWorkedExample) {
    const std::string expected =
        "OXL BEST IN SHOW TABULATION\r\n"
        "Sponsoring club: Example Garden Club\r\n"
        "Show location: Springfield\r\n"
        "Show date: 07/11/2009\r\n"
        "Number of judges:  2\r\n"
        "Underscores required for formatting; please ignore\r\n"
        "\r\n"
        "Judge's , EXTRA ,  ,  ,  , DBL.+POLY.+ ,  , UNUSUAL , YOUTH , POPULARITY , \r\n"
        "Scores , LARGE , LARGE , SMALL , MINIATURE , MULTI , SPIDER , FORM , ENTRY , POLL , "
        "SEEDLING\r\n"
        "\r\n"
        "1 ,   1.5 _  ,  ,   0.5 *  ,  ,   2.0 _  ,  ,  ,  ,  ,   3.0 _ \r\n"
        "2 ,   0.0 *  ,  ,   1.5 _  ,  ,   2.5 _  ,  ,  ,  ,  ,   4.5 _ \r\n"
        "\r\n"
        "POINTS\r\n"
        "DEDUCTED ,   1.5 _  ,   ,   2.0 _  ,   ,   4.5 _  ,   ,   ,   ,   ,   7.5 _ \r\n"
        "\r\n"
        "Blooms\r\n"
        "per scape ,   3 _  ,   ,   5 _  ,   ,   1 _  ,   ,   ,   ,   ,   2 _ \r\n"
        "\r\n"
        "Starred\r\n"
        "entries ,   1 _  ,   ,   1 _  ,   ,   0 _  ,   ,   ,   ,   ,   0 _ \r\n"
        "\r\n"
        "RESULT , Best in Show ,  ,  ,  ,  ,  ,  ,  ,  , ";
    EXPECT_EQ(CsvReportBytes(CsvExampleShow()), expected);
}

TEST(CsvReportTest, AlwaysUsesAPoint) {
    // The CSV has no separator parameter: a regional comma must never reach its cells.
    const std::string csv = CsvReportBytes(CsvExampleShow());
    EXPECT_NE(csv.find("  1.5 _ "), std::string::npos);
}

TEST(TextReportTest, PlacesTheWorkedExampleCells) {
    ShowRecord show =
        testing::MakeShow({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {{1.0, 1, 1, 0.5, 1, 1, 1, 1, 1, 1}});
    Tabulate(show);
    const auto lines = CrLfLines(TextReportBytes(show, '.'));
    ASSERT_EQ(lines.size(), 26u + 1u + 1u) << "26 + NumJudges lines, and nothing after the last";
    EXPECT_EQ(lines[0], AtColumns({{30, "OXL BEST IN SHOW TABULATION"}}));
    EXPECT_EQ(lines[4], "Number of judges:  1");
    EXPECT_EQ(lines[6].size(), static_cast<std::size_t>(TextColumn(10) - 1))
        << "the move to SEEDLING's column happens with nothing after it";
    EXPECT_EQ(At(lines[7], TextColumn(10), 8), "SEEDLING");

    // Three blanks and the judge number, then each cell's star marker and score field.
    const std::string judge = lines[9];
    EXPECT_EQ(At(judge, 1, TextColumn(1) - 1), AtColumns({{1, "   1"}, {TextColumn(1), ""}}));
    EXPECT_EQ(At(judge, TextColumn(1), 7), "    1.0");
    EXPECT_EQ(At(judge, TextColumn(4), 7), "*   0.5");

    // Four blanks after the label for category 1, then its count field inside its cell.
    const std::string bloomsStart =
        AtColumns({{1, "per scape"}, {TextColumn(1) + kValueIndent, "  1"}});
    EXPECT_EQ(At(lines[15], 1, bloomsStart.size()), bloomsStart);
    EXPECT_EQ(lines[20], AtColumns({{1, "RESULT"}, {TextColumn(4), "Best in Show"}}));
    EXPECT_EQ(lines[23], "");
    EXPECT_EQ(lines[26].substr(0, 14), "Do not use thi");
}

TEST(TextReportTest, UsesTheRegionalSeparator) {
    const auto lines = CrLfLines(TextReportBytes(CsvExampleShow(), ','));
    EXPECT_EQ(At(lines[9], TextColumn(1), 7), "    1,5");
}

TEST(TextReportTest, TiesStandOnLinesOfTheirOwn) {
    ShowRecord show =
        testing::MakeShow({5, 0, 0, 5, 0, 0, 0, 0, 0, 0},
                          {{0.5, 0, 0, 1.0, 0, 0, 0, 0, 0, 0}, {1.0, 0, 0, 0.5, 0, 0, 0, 0, 0, 0}});
    Tabulate(show);
    const auto lines = CrLfLines(TextReportBytes(show, '.'));
    ASSERT_EQ(lines.size(), 26u + 2u + 1u + 1u);
    EXPECT_EQ(lines[21], AtColumns({{1, "RESULT"}, {TextColumn(1), "Best (tie)"}}));
    EXPECT_EQ(lines[22], AtColumns({{TextColumn(4), "Best (tie)"}}));
    EXPECT_EQ(lines[23], "");
}

std::vector<std::string> PrintedLines(const ShowRecord &show, int page) {
    return PageText(PrintedReportPages(show, '.').pages.at(page));
}

// The column of the run whose text is given, on the first line holding it.
int ColumnOf(const PrintPage &page, const std::string &text) {
    for (std::size_t i = 0; i < page.lineCount(); ++i) {
        for (const auto &run : page.line(i)) {
            if (page.textOf(run) == text) {
                return run.column;
            }
        }
    }
    return 0;
}

TEST(PrintedReportTest, PlacesEveryPieceAtItsColumn) {
    const PrintedReport report = PrintedReportPages(CsvExampleShow(), '.');
    ASSERT_EQ(report.pages.size(), 2u);
    EXPECT_EQ(report.fontName, "Courier New");
    EXPECT_EQ(report.pointSize, 10);
    const auto &left = report.pages[0];
    const auto &right = report.pages[1];
    EXPECT_EQ(ColumnOf(left, "OXL"), 40);
    EXPECT_EQ(ColumnOf(left, "Version"), 48);
    EXPECT_EQ(ColumnOf(left, "Left"), 70);
    EXPECT_EQ(ColumnOf(right, "Right"), 70);
    EXPECT_EQ(ColumnOf(left, "Sponsoring"), kPageLabels);
    EXPECT_EQ(ColumnOf(left, "EXTRA"), PageColumn(1));
    EXPECT_EQ(ColumnOf(left, "SMALL"), PageColumn(3));
    EXPECT_EQ(ColumnOf(left, "MINIATURE"), PageColumn(4));
    EXPECT_EQ(ColumnOf(left, "DBL.+POLY.+"), PageColumn(5));
    EXPECT_EQ(ColumnOf(right, "SPIDER"), PageColumn(1));
    EXPECT_EQ(ColumnOf(right, "UNUSUAL"), PageColumn(2));
    EXPECT_EQ(ColumnOf(right, "SEEDLING"), PageColumn(5));
    for (const auto &[line, bold] :
         {std::pair<std::size_t, bool>{8, true}, {9, true}, {10, false}, {11, false}}) {
        ASSERT_FALSE(left.line(line).empty()) << line;
        EXPECT_EQ(left.line(line)[0].bold, bold) << line;
    }
}

TEST(PrintedReportTest, LaysOutBothPanels) {
    const ShowRecord show = CsvExampleShow();
    const auto left = PrintedLines(show, 0);
    const auto right = PrintedLines(show, 1);
    ASSERT_EQ(left.size(), 30u + 2u) << "30 + NumJudges lines";
    ASSERT_EQ(right.size(), 30u + 2u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(left[i], "");
    }
    EXPECT_EQ(left[14], AtColumns({{kPageLabels, "Number of judges:  2"}}));
    EXPECT_EQ(left[16], AtColumns({{kPageLabels, "Judge's"},
                                   {PageColumn(1), "EXTRA"},
                                   {PageColumn(5), "DBL.+POLY.+"}}));
    EXPECT_EQ(left[19], AtColumns({{kPageLabels, "   1"},
                                   {PageColumn(1), "    1.5"},
                                   {PageColumn(3), "*   0.5"},
                                   {PageColumn(5), "    2.0"}}));
    EXPECT_EQ(left[31], AtColumns({{kPageLabels, "RESULT"}, {PageColumn(1), "Best in Show"}}));
    EXPECT_EQ(right[31], AtColumns({{kPageLabels, "RESULT"}}));
    EXPECT_EQ(right[19], AtColumns({{kPageLabels, "   1"}, {PageColumn(5), "    3.0"}}));
}

TEST(PrintedReportTest, TieAcrossPanelsShowsOnEach) {
    ShowRecord show =
        testing::MakeShow({5, 0, 0, 0, 0, 0, 0, 0, 0, 5},
                          {{0.5, 0, 0, 0, 0, 0, 0, 0, 0, 1.0}, {1.0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5}});
    Tabulate(show);
    const auto left = PrintedLines(show, 0);
    const auto right = PrintedLines(show, 1);
    EXPECT_EQ(left.back(), AtColumns({{kPageLabels, "RESULT"}, {PageColumn(1), "Best (tie)"}}));
    EXPECT_EQ(right.back(), AtColumns({{kPageLabels, "RESULT"}, {PageColumn(5), "Best (tie)"}}));
}

}  // namespace
}  // namespace bis
