#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ShowBuilder.h"
#include "files/ColumnWriter.h"
#include "files/ReportLayout.h"
#include "files/Reports.h"
#include "support/PageText.h"
#include "tabulation/Tabulation.h"

namespace bis {
namespace {

std::vector<std::string> SplitLines(const std::string &bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t next; (next = bytes.find("\r\n", at)) != std::string::npos; at = next + 2) {
        lines.push_back(bytes.substr(at, next - at));
    }
    lines.push_back(bytes.substr(at));
    return lines;
}

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
    const auto lines = SplitLines(TextReportBytes(show, '.'));
    ASSERT_EQ(lines.size(), 26u + 1u + 1u) << "26 + NumJudges lines, and nothing after the last";
    EXPECT_EQ(lines[0], std::string(29, ' ') + "OXL BEST IN SHOW TABULATION");
    EXPECT_EQ(lines[4], "Number of judges:  1");
    EXPECT_EQ(lines[6].size(), 140u) << "the move to column 141 happens with nothing after it";
    EXPECT_EQ(lines[7].substr(140), "SEEDLING");

    const std::string judge = lines[9];
    EXPECT_EQ(judge.substr(0, 4), "   1");
    EXPECT_EQ(judge.substr(4, 10), std::string(10, ' '));
    EXPECT_EQ(judge.substr(14, 7), "    1.0");
    EXPECT_EQ(judge.substr(56, 7), "*   0.5");

    const std::string blooms = lines[15];
    EXPECT_EQ(blooms.substr(0, 19), "per scape" + std::string(7, ' ') + "  1");
    EXPECT_EQ(lines[20], "RESULT" + std::string(50, ' ') + "Best in Show");
    EXPECT_EQ(lines[23], "");
    EXPECT_EQ(lines[26].substr(0, 14), "Do not use thi");
}

TEST(TextReportTest, UsesTheRegionalSeparator) {
    const auto lines = SplitLines(TextReportBytes(CsvExampleShow(), ','));
    EXPECT_EQ(lines[9].substr(14, 7), "    1,5");
}

TEST(TextReportTest, TiesStandOnLinesOfTheirOwn) {
    ShowRecord show =
        testing::MakeShow({5, 0, 0, 5, 0, 0, 0, 0, 0, 0},
                          {{0.5, 0, 0, 1.0, 0, 0, 0, 0, 0, 0}, {1.0, 0, 0, 0.5, 0, 0, 0, 0, 0, 0}});
    Tabulate(show);
    const auto lines = SplitLines(TextReportBytes(show, '.'));
    ASSERT_EQ(lines.size(), 26u + 2u + 1u + 1u);
    EXPECT_EQ(lines[21], "RESULT" + std::string(8, ' ') + "Best (tie)");
    EXPECT_EQ(lines[22], std::string(56, ' ') + "Best (tie)");
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
    EXPECT_EQ(ColumnOf(left, "Sponsoring"), 13);
    EXPECT_EQ(ColumnOf(left, "EXTRA"), 27);
    EXPECT_EQ(ColumnOf(left, "SMALL"), 55);
    EXPECT_EQ(ColumnOf(left, "MINIATURE"), 69);
    EXPECT_EQ(ColumnOf(left, "DBL.+POLY.+"), 83);
    EXPECT_EQ(ColumnOf(right, "SPIDER"), 27);
    EXPECT_EQ(ColumnOf(right, "UNUSUAL"), 41);
    EXPECT_EQ(ColumnOf(right, "SEEDLING"), 83);
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
    const std::string margin(12, ' ');
    EXPECT_EQ(left[14], margin + "Number of judges:  2");
    EXPECT_EQ(left[16], margin + "Judge's" + std::string(7, ' ') + "EXTRA" + std::string(51, ' ') +
                            "DBL.+POLY.+");
    EXPECT_EQ(left[19], margin + "   1" + std::string(10, ' ') + "    1.5" + std::string(21, ' ') +
                            "*   0.5" + std::string(21, ' ') + "    2.0");
    EXPECT_EQ(left[31], margin + "RESULT" + std::string(8, ' ') + "Best in Show");
    EXPECT_EQ(right[31], margin + "RESULT");
    EXPECT_EQ(right[19], margin + "   1" + std::string(66, ' ') + "    3.0");
}

TEST(PrintedReportTest, TieAcrossPanelsShowsOnEach) {
    ShowRecord show =
        testing::MakeShow({5, 0, 0, 0, 0, 0, 0, 0, 0, 5},
                          {{0.5, 0, 0, 0, 0, 0, 0, 0, 0, 1.0}, {1.0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5}});
    Tabulate(show);
    const auto left = PrintedLines(show, 0);
    const auto right = PrintedLines(show, 1);
    EXPECT_EQ(left.back(), std::string(12, ' ') + "RESULT" + std::string(8, ' ') + "Best (tie)");
    EXPECT_EQ(right.back(), std::string(12, ' ') + "RESULT" + std::string(64, ' ') + "Best (tie)");
}

}  // namespace
}  // namespace bis
