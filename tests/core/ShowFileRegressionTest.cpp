// Show files that once broke the reader or the save-and-recall round trip; the fuzzer found most
// of them. A file the reader accepts must save to bytes that read back as the same show; a file
// it refuses must leave the record as it was.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/ShowRecord.h"
#include "files/ShowFile.h"
#include "support/ShowFiles.h"

namespace bis {
namespace {

using Outcome = ShowFileReadResult::Outcome;

using testing::OneJudgeFile;

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
    ::testing::Values(
        RegressionCase{
            "UnquotedLocationHoldingQuoteIsRefused",
            OneJudgeFile({.club = "\"Example Garden Club\"", .location = "[Springfield\""}),
            Outcome::Unreadable, "", ""},
        RegressionCase{"UnquotedClubHoldingQuoteIsRefused",
                       OneJudgeFile({.club = "Joe\"s club", .location = "\"Springfield\""}),
                       Outcome::Unreadable, "", ""},
        RegressionCase{"UnquotedDateHoldingQuoteIsRefused",
                       OneJudgeFile({.club = "\"Club\"",
                                     .location = "\"Springfield\"",
                                     .date = "07/11\"/2009"}),
                       Outcome::Unreadable, "", ""},
        RegressionCase{"TextAfterClosingQuoteIsSkipped",
                       OneJudgeFile({.club = "\"Joe\"s club\"", .location = "\"Springfield\""}),
                       Outcome::Read, "Joe", "Springfield"},
        RegressionCase{"UnquotedTextsAreRead",
                       OneJudgeFile({.club = "  Joe's club  ", .location = "Springfield"}),
                       Outcome::Read, "Joe's club", "Springfield"}),
    [](const ::testing::TestParamInfo<RegressionCase> &info) { return info.param.name; });

// A text typed with a double quote in it is saved with an apostrophe in its place: the quote would
// otherwise close the field early, and a comma after it would shift every later field.
TEST(ShowFileWriterTest, QuoteInTextIsSavedAsApostrophe) {
    ShowRecord show;
    show.Initialise();
    ASSERT_EQ(ReadShowFile(OneJudgeFile({.club = "\"Club\"", .location = "\"Springfield\""}), show)
                  .outcome,
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
