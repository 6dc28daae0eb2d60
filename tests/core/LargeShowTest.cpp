// The largest show a 16-bit judge count allows: 32767 judges. Its totals run far past 30000, a
// category can be starred by every judge, and the last judge's row must reach every report.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/ShowRecord.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "support/CrLfLines.h"
#include "support/PageText.h"
#include "support/ReportColumns.h"
#include "tabulation/Tabulation.h"

namespace bis {
namespace {

using testing::AtColumns;
using testing::kPageLabels;
using testing::kValueIndent;
using testing::PageColumn;
using testing::TextColumn;

constexpr int kJudges = 32767;

using PerCategory = std::array<double, kCategoryCount>;
using Counts = std::array<int, kCategoryCount>;

struct LargeShowCase {
    const char *name;
    Counts blooms;
    // Judges 1..32766 all give these scores; the last judge gives his own.
    PerCategory everyJudge;
    PerCategory lastJudge;
    Counts starredEntries;  // of the eligible categories; the others stay 0
    Counts winner;
    const char *resultText;
    // Rows of the text report, the CSV report and the two printed pages, exactly.
    std::string textLastJudge;
    std::string textDeducted;
    std::string textEntries;
    std::string csvLastJudge;
    std::string csvDeducted;
    std::string csvEntries;
    std::string leftPageLastJudge;
    std::string rightPageLastJudge;
};

void PrintTo(const LargeShowCase &test, std::ostream *out) {
    *out << test.name;
}

// The CSV cells joined by the separator " , ".
std::string Cells(std::initializer_list<std::string> cells) {
    std::string line;
    for (const auto &cell : cells) {
        line += line.empty() && &cell == cells.begin() ? cell : " , " + cell;
    }
    return line;
}

std::string Number(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The show file of the case, as this program writes it.
std::string ShowFileOf(const LargeShowCase &test) {
    std::string bytes =
        "\"Version 02.30\"\r\n\"Big Club\"\r\n\"Springfield\"\r\n\"07/11/2009\"\r\n";
    bytes += std::to_string(kJudges) + "\r\n10\r\n";
    for (const int blooms : test.blooms) {
        bytes += std::to_string(blooms) + "\r\n";
    }
    for (std::size_t c = 0; c < kCategoryCount; ++c) {
        bytes += Number(test.everyJudge[c] * (kJudges - 1) + test.lastJudge[c]) + "\r\n";
    }
    std::string row;
    for (const double score : test.everyJudge) {
        row += Number(score) + "\r\n";
    }
    for (int j = 1; j < kJudges; ++j) {
        bytes += row;
    }
    for (const double score : test.lastJudge) {
        bytes += Number(score) + "\r\n";
    }
    return bytes;
}

// The one line that begins with the prefix; fails the test when there is not exactly one.
std::string LineStartingWith(const std::vector<std::string> &lines, const std::string &prefix) {
    std::vector<std::string> found;
    for (const auto &line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(line);
        }
    }
    EXPECT_EQ(found.size(), 1U) << "lines beginning with \"" << prefix << "\"";
    return found.empty() ? std::string() : found.front();
}

class LargeShowTest : public ::testing::TestWithParam<LargeShowCase> {
  protected:
    void SetUp() override {
        show_.Initialise();
        bytes_ = ShowFileOf(GetParam());
        ASSERT_TRUE(ReadShowFile(bytes_, show_).ok());
        Tabulate(show_);
    }

    ShowRecord show_;
    std::string bytes_;
};

TEST_P(LargeShowTest, ReadsEveryJudgeAndSavesTheSameBytes) {
    const LargeShowCase &test = GetParam();
    EXPECT_EQ(show_.NumJudges, kJudges);
    EXPECT_EQ(show_.Scores.lastJudge(), kJudges);
    for (int c = 1; c <= kCategoryCount; ++c) {
        EXPECT_EQ(show_.Blooms(c), test.blooms[c - 1]) << "category " << c;
        EXPECT_EQ(show_.Scores(kJudges, c), test.lastJudge[c - 1]) << "category " << c;
    }
    EXPECT_EQ(ShowFileBytes(show_), bytes_);
}

TEST_P(LargeShowTest, TabulatesPastThirtyThousandAndSixteenBitStarCounts) {
    const LargeShowCase &test = GetParam();
    for (int c = 1; c <= kCategoryCount; ++c) {
        EXPECT_EQ(show_.StarredEntries(c), test.starredEntries[c - 1]) << "category " << c;
        EXPECT_EQ(show_.Winner(c), test.winner[c - 1]) << "category " << c;
    }
    EXPECT_EQ(BestResultText(show_), test.resultText);
}

TEST_P(LargeShowTest, TextReportRowsAreExact) {
    const LargeShowCase &test = GetParam();
    const auto lines = testing::CrLfLines(TextReportBytes(show_));
    // Each winner after the first puts its result text on a line of its own.
    int winners = 0;
    for (const int winner : test.winner) {
        winners += winner;
    }
    // The lines, and the empty piece after the last one's line end.
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(25 + kJudges + winners + 1));
    EXPECT_EQ(lines[4], "Number of judges:  32767");
    EXPECT_EQ(lines[9 + kJudges - 1], test.textLastJudge);
    EXPECT_EQ(LineStartingWith(lines, "DEDUCTED"), test.textDeducted);
    EXPECT_EQ(LineStartingWith(lines, "entries"), test.textEntries);
}

TEST_P(LargeShowTest, CsvReportRowsAreExact) {
    const LargeShowCase &test = GetParam();
    const auto lines = testing::CrLfLines(CsvReportBytes(show_));
    EXPECT_EQ(lines[10 + kJudges - 1], test.csvLastJudge);
    EXPECT_EQ(lines[10 + kJudges], "");
    EXPECT_EQ(LineStartingWith(lines, "DEDUCTED"), test.csvDeducted);
    EXPECT_EQ(LineStartingWith(lines, "entries"), test.csvEntries);
}

TEST_P(LargeShowTest, PrintedPagesEndWithTheLastJudge) {
    const LargeShowCase &test = GetParam();
    const PrintedReport report = PrintedReportPages(show_);
    ASSERT_EQ(report.pages.size(), 2U);
    // Eight empty lines, title, version, panel, four particulars, an empty line, two heading
    // lines and an empty line come before judge 1.
    const auto left = PageText(report.pages[0]);
    const auto right = PageText(report.pages[1]);
    ASSERT_GT(left.size(), static_cast<std::size_t>(18 + kJudges));
    ASSERT_GT(right.size(), static_cast<std::size_t>(18 + kJudges));
    EXPECT_EQ(left[18 + kJudges], test.leftPageLastJudge);
    EXPECT_EQ(right[18 + kJudges], test.rightPageLastJudge);
    EXPECT_EQ(left[18 + kJudges + 1], "");
}

const std::string kBlank = " ";

INSTANTIATE_TEST_SUITE_P(
    Judges32767, LargeShowTest,
    ::testing::Values(
        // EXTRA LARGE wins on a total of 32767; the last judge alone stars MINIATURE.
        LargeShowCase{
            "LowestTotalAboveThirtyThousandWins",
            {3, 0, 0, 2, 0, 0, 0, 0, 0, 1},
            {1.0, 0, 0, 1.5, 0, 0, 0, 0, 0, 5.0},
            {1.0, 0, 0, 0.5, 0, 0, 0, 0, 0, 5.0},
            {32766, 0, 0, 1, 0, 0, 0, 0, 0, 0},
            {1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
            "Best in Show",
            AtColumns({{1, "   32767"},
                       {TextColumn(1), "    1.0"},
                       {TextColumn(4), "*   0.5"},
                       {TextColumn(10), "    5.0"}}),
            AtColumns({{1, "DEDUCTED"},
                       {TextColumn(1) + kValueIndent, "32767.0"},
                       {TextColumn(4) + kValueIndent, "49149.5"},
                       {TextColumn(10) + kValueIndent, "163835.0"}}),
            AtColumns({{1, "entries"},
                       {TextColumn(1) + kValueIndent, "32766"},
                       {TextColumn(4) + kValueIndent, "  1"},
                       {TextColumn(10) + kValueIndent, "  0"}}),
            Cells({"32767", "  1.0 _ ", "", "", "  0.5 * ", "", "", "", "", "", "  5.0 _ "}),
            Cells({"DEDUCTED", "32767.0 _ ", kBlank, kBlank, "49149.5 _ ", kBlank, kBlank, kBlank,
                   kBlank, kBlank, "163835.0 _ "}),
            Cells({"entries", "32766 _ ", kBlank, kBlank, "  1 _ ", kBlank, kBlank, kBlank, kBlank,
                   kBlank, "  0 _ "}),
            AtColumns({{kPageLabels, "   32767"},
                       {PageColumn(1), "    1.0"},
                       {PageColumn(4), "*   0.5"}}),
            AtColumns({{kPageLabels, "   32767"}, {PageColumn(5), "    5.0"}})},
        // Every judge stars both LARGE categories: 32767 stars each, the most 16 bits hold.
        LargeShowCase{
            "EveryJudgeStarsTwoCategoriesThatTie",
            {4, 4, 0, 0, 0, 0, 0, 0, 0, 2},
            {0.5, 0.5, 0, 0, 0, 0, 0, 0, 0, 2.0},
            {0.5, 0.5, 0, 0, 0, 0, 0, 0, 0, 2.0},
            {32767, 32767, 0, 0, 0, 0, 0, 0, 0, 0},
            {1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
            "Best (tie)",
            AtColumns({{1, "   32767"},
                       {TextColumn(1), "*   0.5"},
                       {TextColumn(2), "*   0.5"},
                       {TextColumn(10), "    2.0"}}),
            AtColumns({{1, "DEDUCTED"},
                       {TextColumn(1) + kValueIndent, "16383.5"},
                       {TextColumn(2) + kValueIndent, "16383.5"},
                       {TextColumn(10) + kValueIndent, "65534.0"}}),
            AtColumns({{1, "entries"},
                       {TextColumn(1) + kValueIndent, "32767"},
                       {TextColumn(2) + kValueIndent, "32767"},
                       {TextColumn(10) + kValueIndent, "  0"}}),
            Cells({"32767", "  0.5 * ", "  0.5 * ", "", "", "", "", "", "", "", "  2.0 _ "}),
            Cells({"DEDUCTED", "16383.5 _ ", "16383.5 _ ", kBlank, kBlank, kBlank, kBlank, kBlank,
                   kBlank, kBlank, "65534.0 _ "}),
            Cells({"entries", "32767 _ ", "32767 _ ", kBlank, kBlank, kBlank, kBlank, kBlank,
                   kBlank, kBlank, "  0 _ "}),
            AtColumns({{kPageLabels, "   32767"},
                       {PageColumn(1), "*   0.5"},
                       {PageColumn(2), "*   0.5"}}),
            AtColumns({{kPageLabels, "   32767"}, {PageColumn(5), "    2.0"}})},
        // SPIDER alone takes part and wins on the highest total possible, 163835.
        LargeShowCase{"SingleCategoryWinsOnTheHighestTotal",
                      {0, 0, 0, 0, 0, 7, 0, 0, 0, 0},
                      {0, 0, 0, 0, 0, 5.0, 0, 0, 0, 0},
                      {0, 0, 0, 0, 0, 5.0, 0, 0, 0, 0},
                      {0, 0, 0, 0, 0, 32767, 0, 0, 0, 0},
                      {0, 0, 0, 0, 0, 1, 0, 0, 0, 0},
                      "Best in Show",
                      AtColumns({{1, "   32767"}, {TextColumn(6), "*   5.0"}}),
                      AtColumns({{1, "DEDUCTED"}, {TextColumn(6) + kValueIndent, "163835.0"}}),
                      AtColumns({{1, "entries"}, {TextColumn(6) + kValueIndent, "32767        "}}),
                      Cells({"32767", "", "", "", "", "", "  5.0 * ", "", "", "", ""}),
                      Cells({"DEDUCTED", kBlank, kBlank, kBlank, kBlank, kBlank, "163835.0 _ ",
                             kBlank, kBlank, kBlank, kBlank}),
                      Cells({"entries", kBlank, kBlank, kBlank, kBlank, kBlank, "32767 _ ", kBlank,
                             kBlank, kBlank, kBlank}),
                      AtColumns({{kPageLabels, "   32767"}}),
                      AtColumns({{kPageLabels, "   32767"}, {PageColumn(1), "*   5.0"}})}),
    [](const ::testing::TestParamInfo<LargeShowCase> &info) { return info.param.name; });

}  // namespace
}  // namespace bis
