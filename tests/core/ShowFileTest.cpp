#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <random>
#include <string>

#include "ShowBuilder.h"
#include "files/ShowFile.h"
#include "support/CrLfLines.h"
#include "support/ShowFiles.h"

namespace bis {
namespace {

using Outcome = ShowFileReadResult::Outcome;

using testing::CrLfLines;
using testing::OneJudgeFile;

ShowRecord StartedShow() {
    ShowRecord show;
    show.Initialise();
    return show;
}

TEST(ShowFileWriterTest, WritesOneFieldPerLine) {
    ShowRecord show =
        testing::MakeShow({3, 0, 0, 0, 0, 0, 0, 0, 0, 1}, {{1.5, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    show.ClubName = "Club";
    show.ShowLocation = "Town";
    show.ShowDate = "07/11/2009";
    const std::string bytes = ShowFileBytes(show);
    EXPECT_EQ(bytes, OneJudgeFile());
    EXPECT_EQ(bytes.substr(0, 17), "\"Version 02.30\"\r\n") << "the version line is 15 bytes";
}

TEST(ShowFileWriterTest, LeavesOutRowsAboveTheJudgeCount) {
    ShowRecord show =
        testing::MakeShow({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                           {2, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                           {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                           {4, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
    show.NumJudges = 3;
    const std::string bytes = ShowFileBytes(show);
    const auto lines = CrLfLines(bytes);
    EXPECT_EQ(lines.size(), 16u + 10u * 4u + 1u) << "each line ends in CR LF, the last one too";
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(bytes.find("\r\n4\r\n"), std::string::npos) << "the fourth judge's row is written";
}

TEST(ShowFileWriterTest, WritesTextsInWindows1252) {
    ShowRecord show = testing::MakeShow({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {{}});
    show.ClubName = "Caf\u00e9, \u20ac";
    EXPECT_NE(ShowFileBytes(show).find("\"Caf\xe9, \x80\"\r\n"), std::string::npos);
}

TEST(ShowFileRoundTripTest, RecallGivesBackTheSameRecord) {
    ShowRecord saved = testing::MakeShow(
        {3, 0, 5, 0, 1, 0, 0, 0, 0, 32767},
        {{1.5, 0, 0.5, 0, 2, 0, 0, 0, 0, 3}, {0, 0, 1.5, 0, 2.5, 0, 0, 0, 0, 4.5}});
    saved.ClubName = "Example, Garden \u00c9 Club";
    saved.ShowLocation = "";
    saved.ShowDate = "  07/11/2009";
    saved.Scores(0, 2) = 12.5;  // row 0 is stored as it stands

    ShowRecord recalled = StartedShow();
    ASSERT_EQ(ReadShowFile(ShowFileBytes(saved), recalled).outcome, Outcome::Read);
    EXPECT_EQ(recalled.ClubName, saved.ClubName);
    EXPECT_EQ(recalled.ShowLocation, "");
    EXPECT_EQ(recalled.ShowDate, "  07/11/2009") << "blanks inside the quotes are kept";
    EXPECT_EQ(recalled.NumJudges, 2);
    EXPECT_EQ(recalled.NumCategories, 10);
    for (int c = 1; c <= kCategoryCount; ++c) {
        EXPECT_EQ(recalled.Blooms(c), saved.Blooms(c));
    }
    EXPECT_EQ(recalled.Scores, saved.Scores);
    EXPECT_EQ(recalled.ReportSaved, 1);
}

TEST(ShowRecordTest, InitialiseLeavesNothingOfAnEarlierShow) {
    ShowRecord show = StartedShow();
    ASSERT_EQ(ReadShowFile(OneJudgeFile(), show).outcome, Outcome::Read);
    show.Initialise();
    EXPECT_EQ(show.ClubName + show.ShowLocation + show.ShowDate, "");
    EXPECT_EQ(show.NumJudges + show.Blooms(1) + show.ReportSaved, 0);
    EXPECT_EQ(show.Scores.lastJudge(), -1);
    EXPECT_EQ(show.CategoryName(10), "SEEDLING");
}

struct ReadCase {
    const char *name;
    std::string bytes;
    Outcome outcome;
    const char *fileVersion = "";
    // For a refused file: the line where reading stopped and why.
    std::size_t line = 0;
    std::string reason{};
};

void PrintTo(const ReadCase &c, std::ostream *out) {
    *out << c.name;
}

const std::string kJudgesFound =
    "expected the number of judges (a whole number from 1 to 32767), found ";
const std::string kBloomsFound =
    "expected the number of blooms in EXTRA LARGE (a whole number from 0 to 32767), found ";

class ShowFileReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ShowFileReaderTest, ReadsOrRefusesLeavingTheRecordAlone) {
    const auto &c = GetParam();
    ShowRecord show = StartedShow();
    show.ClubName = "Before";
    show.Blooms(4) = 9;
    show.NumJudges = 2;
    show.Scores.allocate(2);
    show.Scores(1, 1) = 4.5;
    const ShowRecord before = show;

    const ShowFileReadResult result = ReadShowFile(c.bytes, show);
    EXPECT_EQ(result.outcome, c.outcome);
    if (c.outcome == Outcome::WrongVersion) {
        EXPECT_EQ(result.fileVersion, c.fileVersion);
    }
    if (c.outcome == Outcome::Unreadable) {
        EXPECT_EQ(result.line, c.line);
        EXPECT_EQ(result.reason, c.reason);
    }
    if (c.outcome != Outcome::Read) {
        EXPECT_EQ(show.ClubName, before.ClubName);
        EXPECT_EQ(show.Blooms(4), 9);
        EXPECT_EQ(show.NumJudges, 2);
        EXPECT_EQ(show.Scores, before.Scores);
        EXPECT_EQ(show.ReportSaved, 0);
    } else {
        EXPECT_EQ(show.ReportSaved, 1);
        EXPECT_EQ(show.Blooms(1), 3);
        EXPECT_EQ(show.Scores(1, 1), 1.5);
    }
}

std::string Replaced(std::string bytes, const std::string &from, const std::string &to) {
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

std::string WithLineEnds(const std::string &bytes, const std::string &lineEnd) {
    const auto lines = CrLfLines(bytes);
    std::string out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        out += lines[i] + lineEnd;
    }
    return out + lines.back();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShowFileReaderTest,
    ::testing::Values(
        ReadCase{"Written", OneJudgeFile(), Outcome::Read},
        ReadCase{"OlderMinorVersion", OneJudgeFile({.version = "\"Version 02.10\""}),
                 Outcome::Read},
        ReadCase{"LaterMinorVersion", OneJudgeFile({.version = "\"Version 02.45\""}),
                 Outcome::Read},
        ReadCase{"VersionWithBlanks", OneJudgeFile({.version = "\"  Version 02.30  \""}),
                 Outcome::Read},
        ReadCase{"UnquotedVersion", OneJudgeFile({.version = "Version 02.30"}), Outcome::Read},
        ReadCase{"NewerVersion", OneJudgeFile({.version = "\"Version 03.00\""}),
                 Outcome::WrongVersion, "Version 03.00"},
        ReadCase{"ShortVersion", OneJudgeFile({.version = "\"Version 2\""}), Outcome::WrongVersion,
                 "Version 2"},
        ReadCase{"NoVersion", OneJudgeFile({.version = "\"Club\""}), Outcome::NotVersioned},
        ReadCase{"LowerCaseVersion", OneJudgeFile({.version = "\"version 02.30\""}),
                 Outcome::NotVersioned},
        ReadCase{"ShorterThanVersion", OneJudgeFile({.version = "\"Vers\""}),
                 Outcome::NotVersioned},
        ReadCase{"Empty", "", Outcome::Unreadable, "", 1,
                 "expected the version of the program, found the end of the file"},
        ReadCase{"OnlyVersion", "\"Version 02.30\"\r\n", Outcome::Unreadable, "", 2,
                 "expected the sponsoring club (a text without a double quote inside), found the "
                 "end of the file"},
        ReadCase{
            "CutAfterBlooms", OneJudgeFile().substr(0, OneJudgeFile().find("1.5")),
            Outcome::Unreadable, "", 17,
            "expected the points deducted in EXTRA LARGE (a number), found the end of the file"},
        ReadCase{"CutInLastScore", OneJudgeFile().substr(0, OneJudgeFile().size() - 3),
                 Outcome::Unreadable, "", 36,
                 "expected judge 1's score in SEEDLING (a number), found the end of the file"},
        ReadCase{"WithoutFinalLineEnd", OneJudgeFile().substr(0, OneJudgeFile().size() - 2),
                 Outcome::Read},
        ReadCase{"LineFeedsOnly", WithLineEnds(OneJudgeFile(), "\n"), Outcome::Read},
        ReadCase{"CommasBetweenFields", WithLineEnds(OneJudgeFile(), ","), Outcome::Read},
        ReadCase{"TotalWithoutZero", Replaced(OneJudgeFile(), "\r\n1.5\r\n", "\r\n .5\r\n"),
                 Outcome::Read},
        ReadCase{"TextAfterClosingQuote",
                 Replaced(OneJudgeFile(), "\"Club\"\r\n", "\"Club\" ignored\r\n"), Outcome::Read},
        // The club's text runs to the location's opening quote, and every later field shifts.
        ReadCase{"UnclosedQuote", Replaced(OneJudgeFile(), "\"Club\"", "\"Club"),
                 Outcome::Unreadable, "", 7, "expected the number of categories (10), found '3'"},
        ReadCase{"UnclosedLastQuote", Replaced(OneJudgeFile(), "\"07/11/2009\"", "\"07/11/2009"),
                 Outcome::Unreadable, "", 4,
                 "expected the show's date (a text without a double quote inside), found "
                 "'\"07/11/2009', whose double quote is never closed"},
        ReadCase{"QuoteInUnquotedClub", Replaced(OneJudgeFile(), "\"Club\"", "Cl\"ub"),
                 Outcome::Unreadable, "", 2,
                 "expected the sponsoring club (a text without a double quote inside), found "
                 "'Cl\"ub'"},
        ReadCase{"TextForNumber", Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\nx\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'x'"},
        ReadCase{"QuotedNumber", Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n\"1\"\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'\"1\"'"},
        ReadCase{"NoJudges", Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n0\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'0'"},
        ReadCase{"NegativeJudges", Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n-1\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'-1'"},
        ReadCase{"JudgesBeyondSixteenBits",
                 Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n32768\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'32768'"},
        ReadCase{"FractionalJudges",
                 Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n1.5\r\n10\r\n"),
                 Outcome::Unreadable, "", 5, kJudgesFound + "'1.5'"},
        ReadCase{"ElevenCategories", Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n", "\r\n1\r\n11\r\n"),
                 Outcome::Unreadable, "", 6, "expected the number of categories (10), found '11'"},
        ReadCase{"NegativeBlooms", Replaced(OneJudgeFile(), "\r\n10\r\n3\r\n", "\r\n10\r\n-3\r\n"),
                 Outcome::Unreadable, "", 7, kBloomsFound + "'-3'"},
        ReadCase{"BloomsBeyondSixteenBits",
                 Replaced(OneJudgeFile(), "\r\n10\r\n3\r\n", "\r\n10\r\n40000\r\n"),
                 Outcome::Unreadable, "", 7, kBloomsFound + "'40000'"},
        ReadCase{"InfiniteScore", Replaced(OneJudgeFile(), "\r\n1.5\r\n", "\r\n1e400\r\n"),
                 Outcome::Unreadable, "", 17,
                 "expected the points deducted in EXTRA LARGE (a number), found '1e400'"},
        ReadCase{"GarbageBytes", std::string("\x00\xff\x7f\"\r\n\r\n,,,", 11),
                 Outcome::NotVersioned}),
    [](const ::testing::TestParamInfo<ReadCase> &info) { return info.param.name; });

TEST(ShowFileReaderTest, ReadsScoresWrittenWithoutLeadingZero) {
    ShowRecord show = StartedShow();
    const std::string bytes = Replaced(Replaced(OneJudgeFile(), "\r\n1.5\r\n", "\r\n .5 \r\n"),
                                       "\r\n1.5\r\n", "\r\n.5\r\n");
    ASSERT_EQ(ReadShowFile(bytes, show).outcome, Outcome::Read);
    EXPECT_EQ(show.Scores(0, 1), 0.5);
    EXPECT_EQ(show.Scores(1, 1), 0.5);
}

TEST(ShowFileReaderTest, KeepsCommasInsideQuotedTexts) {
    ShowRecord show = StartedShow();
    ASSERT_EQ(ReadShowFile(Replaced(OneJudgeFile(), "\"Club\"", "\"A, B, and C\""), show).outcome,
              Outcome::Read);
    EXPECT_EQ(show.ClubName, "A, B, and C");
}

TEST(ShowFileReaderTest, UnquotedTextEndsAtCommaWithoutTrailingBlanks) {
    ShowRecord show = StartedShow();
    ASSERT_EQ(ReadShowFile(Replaced(OneJudgeFile(), "\"Club\"\r\n\"Town\"", "Club  ,Town  "), show)
                  .outcome,
              Outcome::Read);
    EXPECT_EQ(show.ClubName, "Club");
    EXPECT_EQ(show.ShowLocation, "Town");
}

TEST(ShowFileReaderTest, SurvivesEveryTruncationAndRandomDamage) {
    const std::string good = OneJudgeFile();
    for (std::size_t length = 0; length < good.size(); ++length) {
        ShowRecord show = StartedShow();
        const auto outcome = ReadShowFile(good.substr(0, length), show).outcome;
        EXPECT_TRUE(outcome == Outcome::Unreadable || length >= good.size() - 2) << length;
    }
    std::mt19937 random(20261208);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = good;
        for (int hits = 0; hits < 4; ++hits) {
            damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
        }
        ShowRecord show = StartedShow();
        const auto result = ReadShowFile(damaged, show);
        if (result.ok()) {
            EXPECT_GE(show.NumJudges, 1);
            EXPECT_EQ(show.NumCategories, 10);
        }
    }
}

TEST(ShowFileReaderTest, OversizedInputsAreReadOrRefusedQuickly) {
    ShowRecord show = StartedShow();
    EXPECT_EQ(ReadShowFile(std::string(4 << 20, '"'), show).outcome, Outcome::NotVersioned);
    EXPECT_EQ(ReadShowFile("\"Version 02.30\"\r\n\"" + std::string(4 << 20, 'x'), show).outcome,
              Outcome::Unreadable);
    EXPECT_EQ(ReadShowFile(Replaced(OneJudgeFile(), "\r\n1\r\n10\r\n",
                                    "\r\n" + std::string(100000, '9') + "\r\n10\r\n"),
                           show)
                  .outcome,
              Outcome::Unreadable);
}

}  // namespace
}  // namespace bis
