// The journal's records replayed onto a fresh show, and one named case per malformed journal: a
// reader that takes a bad tail for data, or stops before a good record, fails here.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/Journal.h"

namespace bis {
namespace {

const JournalId kId{7, 1, 4, 2, 8, 5, 7, 1, 4, 2, 8, 5, 7, 1, 4, 2};
const JournalId kOtherId{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};

// Three judges; LARGE (2), SMALL (3) and SPIDER (6) have blooms.
const JournalBegin kBegin{"Rose Club", "Springfield", "05/04/2026", 3, {0, 4, 6, 0, 0, 3}};

std::array<double, kCategoryCount> Totals(double large, double small, double spider) {
    return {0, large, small, 0, 0, spider, 0, 0, 0, 0};
}

// Judge 1 scores two boxes and moves on; judge 2 scores one and goes back; judge 1 is shown
// again with its scores.
const std::vector<JournalRecord> kSession = {
    JournalScore{1, 2, 1.0, 1.0, "1"},
    JournalScore{1, 3, 2.5, 2.5, " 2,5 "},
    JournalJudge{3, 2, 1, true, JournalBoxes::Empty, Totals(1.0, 2.5, 0)},
    JournalScore{2, 2, 0.5, 1.5, ".5"},
    JournalJudge{3, 1, 2, true, JournalBoxes::Scores, Totals(1.5, 2.5, 0)},
};

std::string Journal(const std::vector<JournalRecord> &records, const JournalId &id = kId) {
    std::string bytes = JournalStart(id, kBegin);
    for (const JournalRecord &record : records) {
        bytes += JournalRecordBytes(id, record);
    }
    return bytes;
}

TEST(JournalTest, ReplayGivesTheShowAndTheScreenAsTheRecordsLeftThem) {
    const std::string bytes = Journal(kSession);
    const ReplayedJournal journal = ReplayJournal(bytes);
    ASSERT_EQ(journal.outcome, ReplayedJournal::Outcome::Resumable);
    EXPECT_EQ(journal.records, 1 + kSession.size());
    EXPECT_EQ(journal.validLength, bytes.size());
    EXPECT_EQ(journal.id, kId);

    const ShowRecord &show = journal.show;
    EXPECT_EQ(show.ClubName, "Rose Club");
    EXPECT_EQ(show.ShowDate, "05/04/2026");
    EXPECT_EQ(show.NumJudges, 3);
    EXPECT_EQ(show.Blooms(3), 6);
    EXPECT_EQ(show.ReportSaved, 0);
    EXPECT_EQ(show.Scores(1, 3), 2.5);
    EXPECT_EQ(show.Scores(2, 2), 0.5);
    EXPECT_EQ(show.Scores(0, 2), 1.5);
    EXPECT_EQ(show.BallotEntered(1), 1);
    EXPECT_EQ(show.BallotEntered(2), 1);
    EXPECT_EQ(show.BallotEntered(3), 0);

    const JournalScorecard &card = journal.scorecard;
    EXPECT_FALSE(journal.tabulated);
    EXPECT_EQ(card.currentJudge, 1);
    EXPECT_EQ(card.openedWithJudges, 3);
    EXPECT_TRUE(card.removeShown);
    EXPECT_EQ(card.boxes, JournalBoxes::Scores);
    EXPECT_FALSE(card.typed[1].has_value()) << "a change of judge fills the boxes anew";
    EXPECT_TRUE(card.totalShown[1]);
    EXPECT_FALSE(card.totalShown[5]);
    EXPECT_EQ(card.lastBoxLeft, 0);
}

TEST(JournalTest, TheTabulationAndAScoreTypedSinceAJudgeCameOnScreenAreKept) {
    std::vector<JournalRecord> records = kSession;
    records.push_back(JournalScore{1, 6, 3.0, 3.0, "3.0"});
    ReplayedJournal journal = ReplayJournal(Journal(records));
    EXPECT_EQ(journal.scorecard.typed[5], "3.0");
    EXPECT_EQ(journal.scorecard.lastBoxLeft, 6);

    records.push_back(JournalJudge{3, 2, 1, true, JournalBoxes::Scores, Totals(1.5, 2.5, 3)});
    records.push_back(JournalJudge{3, 3, 2, false, JournalBoxes::Empty, Totals(1.5, 2.5, 3)});
    records.push_back(JournalTabulated{3});
    journal = ReplayJournal(Journal(records));
    EXPECT_EQ(journal.records, 1 + records.size());
    EXPECT_TRUE(journal.tabulated);
    EXPECT_EQ(journal.show.BallotEntered(3), 1);
}

TEST(JournalTest, RemovingAJudgeTakesItsScoresOutOfTheTotals) {
    // Judge 2's ballot is entered, then the Tabulator goes back to judge 1 and removes two
    // judges.
    const std::vector<JournalRecord> records = {
        JournalJudge{3, 2, 1, true, JournalBoxes::Empty, Totals(0, 0, 0)},
        JournalScore{2, 2, 4.0, 4.0, "4"},
        JournalJudge{3, 3, 2, false, JournalBoxes::Empty, Totals(4, 0, 0)},
        JournalJudge{3, 2, 0, true, JournalBoxes::Scores, Totals(4, 0, 0)},
        JournalJudge{3, 1, 2, true, JournalBoxes::Scores, Totals(4, 0, 0)},
        JournalJudge{2, 1, 0, true, JournalBoxes::Unchanged, Totals(4, 0, 0)},
        JournalJudge{1, 1, 0, false, JournalBoxes::Unchanged, Totals(0, 0, 0)},
    };
    const ReplayedJournal journal = ReplayJournal(Journal(records));
    EXPECT_EQ(journal.records, 1 + records.size());
    EXPECT_EQ(journal.show.NumJudges, 1);
    EXPECT_EQ(journal.show.Scores(0, 2), 0.0);
    EXPECT_EQ(journal.show.Scores(2, 2), 4.0) << "the dropped row stays as it was";
}

// One malformed journal: how its bytes are made, and how many records still count.
struct MalformedCase {
    const char *name;
    std::function<std::string()> bytes;
    ReplayedJournal::Outcome outcome;
    std::size_t records;
};

std::string WithRecord(const JournalRecord &record, const JournalId &id = kId) {
    return Journal(kSession) + JournalRecordBytes(id, record);
}

const std::size_t kWhole = 1 + kSession.size();
constexpr auto kResumable = ReplayedJournal::Outcome::Resumable;
constexpr auto kNoWholeRecord = ReplayedJournal::Outcome::NoWholeRecord;

const MalformedCase kMalformed[] = {
    {"Empty", [] { return std::string(); }, kNoWholeRecord, 0},
    {"TornHeader", [] { return Journal({}).substr(0, 20); }, kNoWholeRecord, 0},
    {"TornSetUp", [] { return Journal({}).substr(0, Journal({}).size() - 3); }, kNoWholeRecord, 0},
    {"GarbledHeader",
     [] {
         std::string bytes = Journal(kSession);
         bytes[14] ^= 0x40;
         return bytes;
     },
     kNoWholeRecord, 0},
    {"NotAJournal", [] { return std::string("\"Version 02.30\"\r\n\"Club\"\r\n"); }, kNoWholeRecord,
     0},
    {"OtherVersion",
     [] {
         std::string bytes = Journal(kSession);
         bytes[8] = 2;
         return bytes;
     },
     ReplayedJournal::Outcome::OtherVersion, 0},
    {"TornRecord", [] { return Journal(kSession).substr(0, Journal(kSession).size() - 40); },
     kResumable, kWhole - 1},
    {"TornFrame", [] { return Journal(kSession) + std::string("\x15\0\0", 3); }, kResumable,
     kWhole},
    {"BadCrc",
     [] {
         std::string bytes = Journal(kSession);
         bytes[Journal({}).size() + 12] ^= 0x01;
         return bytes;
     },
     kResumable, 1},
    {"ForeignId",
     [] {
         return WithRecord(JournalScore{1, 2, 2.0, 2.0, "2"}, kOtherId);
     },
     kResumable, kWhole},
    {"ZerosTail", [] { return Journal(kSession) + std::string(4096, '\0'); }, kResumable, kWhole},
    {"JudgeAboveCount",
     [] {
         return WithRecord(JournalJudge{3, 4, 1, false, JournalBoxes::Empty, Totals(1.5, 2.5, 0)});
     },
     kResumable, kWhole},
    {"ScoreOfAnotherJudge",
     [] {
         return WithRecord(JournalScore{2, 2, 1.0, 2.0, "1"});
     },
     kResumable, kWhole},
    {"ScoreNotAHalfStep",
     [] {
         return WithRecord(JournalScore{1, 2, 0.25, 0.75, ".25"});
     },
     kResumable, kWhole},
    {"ScoreAboveFive",
     [] {
         return WithRecord(JournalScore{1, 2, 5.5, 6.0, "5.5"});
     },
     kResumable, kWhole},
    {"ScoreOfACategoryWithoutBlooms",
     [] {
         return WithRecord(JournalScore{1, 1, 1.0, 1.0, "1"});
     },
     kResumable, kWhole},
    {"TextNotTheScore",
     [] {
         return WithRecord(JournalScore{1, 2, 2.0, 2.5, "3"});
     },
     kResumable, kWhole},
    {"TotalNotTheSum",
     [] {
         return WithRecord(JournalScore{1, 2, 2.0, 2.0, "2"});
     },
     kResumable, kWhole},
    {"TwoJudgesRemovedAtOnce",
     [] {
         return WithRecord(
             JournalJudge{1, 1, 0, false, JournalBoxes::Unchanged, Totals(1, 2.5, 0)});
     },
     kResumable, kWhole},
    {"TabulatedBeforeTheLastJudge", [] { return WithRecord(JournalTabulated{3}); }, kResumable,
     kWhole},
    {"SecondSetUp", [] { return WithRecord(kBegin); }, kResumable, kWhole},
    {"NoJudges",
     [] {
         JournalBegin begin = kBegin;
         begin.numJudges = 0;
         return JournalStart(kId, begin);
     },
     kNoWholeRecord, 0},
    {"QuoteInTheClubName",
     [] {
         JournalBegin begin = kBegin;
         begin.clubName = "Rose \"Club\"";
         return JournalStart(kId, begin);
     },
     kNoWholeRecord, 0},
};

class JournalMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(JournalMalformedTest, ReadingStopsAtTheFirstBadRecord) {
    const ReplayedJournal journal = ReplayJournal(GetParam().bytes());
    EXPECT_EQ(journal.outcome, GetParam().outcome);
    EXPECT_EQ(journal.records, GetParam().records);
    if (GetParam().outcome == kResumable) {
        EXPECT_EQ(ReplayJournal(Journal(std::vector<JournalRecord>(
                                    kSession.begin(),
                                    kSession.begin() + static_cast<long>(journal.records - 1))))
                      .validLength,
                  journal.validLength)
            << "the valid part ends where the good records end";
    }
}

INSTANTIATE_TEST_SUITE_P(Journal, JournalMalformedTest, ::testing::ValuesIn(kMalformed),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bis
