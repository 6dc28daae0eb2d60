// Show files that once broke the reader or the save-and-recall round trip; the fuzzer found most
// of them. A file the reader accepts must save to bytes that read back as the same show; a file
// it refuses must leave the record as it was.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/ShowRecord.h"
#include "files/ShowFile.h"

namespace bis {
namespace {

using Outcome = ShowFileReadResult::Outcome;

std::string Lines(const std::vector<std::string> &lines) {
    std::string bytes;
    for (const auto &line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// A one-judge show whose first six lines are given as they stand in the file.
std::string OneJudgeFile(const std::string &club, const std::string &location,
                         const std::string &date = "\"07/11/2009\"") {
    std::vector<std::string> lines = {"\"Version 02.30\"", club, location, date, "1", "10"};
    const std::vector<std::string> blooms = {"3", "0", "0", "0", "0", "0", "0", "0", "0", "1"};
    lines.insert(lines.end(), blooms.begin(), blooms.end());
    for (int row = 0; row <= 1; ++row) {
        lines.push_back("1.5");
        lines.insert(lines.end(), 9, "0");
    }
    return Lines(lines);
}

struct RegressionCase {
    const char *name;
    std::string bytes;
    Outcome outcome;
    // For a file that is read: the club and location it gives.
    std::string club;
    std::string location;
};

void PrintTo(const RegressionCase &test, std::ostream *out) {
    *out << test.name;
}

class ShowFileRegressionTest : public ::testing::TestWithParam<RegressionCase> {};

TEST_P(ShowFileRegressionTest, ReadsOrRefusesCleanly) {
    const RegressionCase &test = GetParam();
    ShowRecord show;
    show.Initialise();
    ASSERT_EQ(ReadShowFile(test.bytes, show).outcome, test.outcome);

    if (test.outcome != Outcome::Read) {
        EXPECT_EQ(show.ClubName, "");
        EXPECT_EQ(show.ShowLocation, "");
        EXPECT_EQ(show.NumJudges, 0);
        EXPECT_EQ(show.Scores.lastJudge(), -1) << "scores were allocated";
        EXPECT_EQ(show.ReportSaved, 0);
        return;
    }
    EXPECT_EQ(show.ClubName, test.club);
    EXPECT_EQ(show.ShowLocation, test.location);

    const std::string saved = ShowFileBytes(show);
    ShowRecord again;
    again.Initialise();
    ASSERT_EQ(ReadShowFile(saved, again).outcome, Outcome::Read) << saved;
    EXPECT_EQ(again.ClubName, show.ClubName);
    EXPECT_EQ(again.ShowLocation, show.ShowLocation);
    EXPECT_EQ(again.ShowDate, show.ShowDate);
    EXPECT_EQ(again.NumJudges, show.NumJudges);
    EXPECT_TRUE(again.Scores == show.Scores);
    EXPECT_EQ(ShowFileBytes(again), saved);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ShowFileRegressionTest,
    ::testing::Values(RegressionCase{"UnquotedLocationHoldingQuoteIsRefused",
                                     OneJudgeFile("\"Example Garden Club\"", "[Springfield\""),
                                     Outcome::Unreadable, "", ""},
                      RegressionCase{"UnquotedClubHoldingQuoteIsRefused",
                                     OneJudgeFile("Joe\"s club", "\"Springfield\""),
                                     Outcome::Unreadable, "", ""},
                      RegressionCase{"UnquotedDateHoldingQuoteIsRefused",
                                     OneJudgeFile("\"Club\"", "\"Springfield\"", "07/11\"/2009"),
                                     Outcome::Unreadable, "", ""},
                      RegressionCase{"TextAfterClosingQuoteIsSkipped",
                                     OneJudgeFile("\"Joe\"s club\"", "\"Springfield\""),
                                     Outcome::Read, "Joe", "Springfield"},
                      RegressionCase{"UnquotedTextsAreRead",
                                     OneJudgeFile("  Joe's club  ", "Springfield"), Outcome::Read,
                                     "Joe's club", "Springfield"}),
    [](const ::testing::TestParamInfo<RegressionCase> &info) { return info.param.name; });

// A text typed with a double quote in it is saved with an apostrophe in its place: the quote would
// otherwise close the field early, and a comma after it would shift every later field.
TEST(ShowFileWriterTest, QuoteInTextIsSavedAsApostrophe) {
    ShowRecord show;
    show.Initialise();
    ASSERT_EQ(ReadShowFile(OneJudgeFile("\"Club\"", "\"Springfield\""), show).outcome,
              Outcome::Read);
    show.ClubName = "The \"Best\", Inc.";

    const std::string saved = ShowFileBytes(show);
    EXPECT_EQ(saved.substr(0, saved.find("\"Springfield\"")),
              "\"Version 02.30\"\r\n\"The 'Best', Inc.\"\r\n");

    ShowRecord again;
    again.Initialise();
    ASSERT_EQ(ReadShowFile(saved, again).outcome, Outcome::Read);
    EXPECT_EQ(again.ClubName, "The 'Best', Inc.");
    EXPECT_EQ(again.ShowLocation, "Springfield");
    EXPECT_EQ(again.ShowDate, "07/11/2009");
    EXPECT_TRUE(again.Scores == show.Scores);
}

}  // namespace
}  // namespace bis
