// The journal's records replayed onto a fresh show, and one named case per malformed journal: a
// reader that takes a bad tail for data, or stops before a good record, fails here.
#include <gtest/gtest.h>

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
    EXPECT_EQ(show.NumJudges, 3);
    EXPECT_EQ(show.Scores(1, 3), 2.5);
    EXPECT_EQ(show.Scores(2, 2), 0.5);
    EXPECT_EQ(show.Scores(0, 2), 1.5);
    EXPECT_EQ(show.BallotEntered(2), 1);
    EXPECT_EQ(show.BallotEntered(3), 0);

    const JournalScorecard &card = journal.scorecard;
    EXPECT_FALSE(journal.tabulated);
    EXPECT_EQ(card.currentJudge, 1);
    EXPECT_EQ(card.boxes, JournalBoxes::Scores);
    EXPECT_FALSE(card.typed[1].has_value()) << "a change of judge fills the boxes anew";
    EXPECT_TRUE(card.totalShown[1]);
    EXPECT_FALSE(card.totalShown[5]);
    EXPECT_EQ(card.lastBoxLeft, 0);
}

TEST(JournalTest, RemovingAJudgeTakesItsScoresOutOfTheTotals) {
    // Judge 2's ballot is entered, then the Tabulator goes back to judge 1 and removes two judges.
    const ReplayedJournal journal = ReplayJournal(Journal({
        JournalJudge{3, 2, 1, true, JournalBoxes::Empty, Totals(0, 0, 0)},
        JournalScore{2, 2, 4.0, 4.0, "4"},
        JournalJudge{3, 3, 2, false, JournalBoxes::Empty, Totals(4, 0, 0)},
        JournalJudge{3, 2, 0, true, JournalBoxes::Scores, Totals(4, 0, 0)},
        JournalJudge{3, 1, 2, true, JournalBoxes::Scores, Totals(4, 0, 0)},
        JournalJudge{2, 1, 0, true, JournalBoxes::Unchanged, Totals(4, 0, 0)},
        JournalJudge{1, 1, 0, false, JournalBoxes::Unchanged, Totals(0, 0, 0)},
    }));
    EXPECT_EQ(journal.records, 8U);
    EXPECT_EQ(journal.show.NumJudges, 1);
    EXPECT_EQ(journal.show.Scores(2, 2), 4.0) << "the dropped row stays as it was";
}

// One malformed journal: its bytes, and how many records still count.
struct MalformedCase {
    const char *name;
    std::string bytes;
    ReplayedJournal::Outcome outcome;
    std::size_t records;
};

const std::string kWholeJournal = Journal(kSession);
const std::size_t kSetUpSize = Journal({}).size();

std::string WithRecord(const JournalRecord &record, const JournalId &id = kId) {
    return kWholeJournal + JournalRecordBytes(id, record);
}

// The whole journal with the byte at the place changed.
std::string Changed(std::size_t at, char value) {
    std::string bytes = kWholeJournal;
    bytes[at] = value;
    return bytes;
}

std::string SetUpWith(std::int16_t judges, const char *club) {
    JournalBegin begin = kBegin;
    begin.numJudges = judges;
    begin.clubName = club;
    return JournalStart(kId, begin);
}

const std::size_t kWhole = 1 + kSession.size();
constexpr auto kResumable = ReplayedJournal::Outcome::Resumable;
constexpr auto kNoWholeRecord = ReplayedJournal::Outcome::NoWholeRecord;
const JournalScore kScore{1, 2, 2.0, 2.5, "2"};

const MalformedCase kMalformed[] = {
    {"Empty", "", kNoWholeRecord, 0},
    {"TornHeader", kWholeJournal.substr(0, 20), kNoWholeRecord, 0},
    {"TornSetUp", kWholeJournal.substr(0, kSetUpSize - 3), kNoWholeRecord, 0},
    {"GarbledHeader", Changed(14, 'x'), kNoWholeRecord, 0},
    {"NotAJournal", "\"Version 02.30\"\r\n\"Club\"\r\n", kNoWholeRecord, 0},
    {"OtherVersion", Changed(8, 2), ReplayedJournal::Outcome::OtherVersion, 0},
    {"NoJudges", SetUpWith(0, "Rose Club"), kNoWholeRecord, 0},
    {"QuoteInTheClubName", SetUpWith(3, "Rose \"Club\""), kNoWholeRecord, 0},
    {"TornRecord", kWholeJournal.substr(0, kWholeJournal.size() - 40), kResumable, kWhole - 1},
    {"TornFrame", kWholeJournal + std::string("\x15\0\0", 3), kResumable, kWhole},
    {"BadCrc", Changed(kSetUpSize + 12, 1), kResumable, 1},
    {"ForeignId", WithRecord(kScore, kOtherId), kResumable, kWhole},
    {"ZerosTail", kWholeJournal + std::string(4096, '\0'), kResumable, kWhole},
    {"JudgeAboveCount",
     WithRecord(JournalJudge{3, 4, 1, false, JournalBoxes::Empty, Totals(1.5, 2.5, 0)}), kResumable,
     kWhole},
    {"ScoreOfAnotherJudge", WithRecord(JournalScore{2, 2, 1.0, 2.0, "1"}), kResumable, kWhole},
    {"ScoreNotAHalfStep", WithRecord(JournalScore{1, 2, 0.25, 0.75, ".25"}), kResumable, kWhole},
    {"ScoreAboveFive", WithRecord(JournalScore{1, 2, 5.5, 6.0, "5.5"}), kResumable, kWhole},
    {"ScoreOfACategoryWithoutBlooms", WithRecord(JournalScore{1, 1, 1.0, 1.0, "1"}), kResumable,
     kWhole},
    {"TextNotTheScore", WithRecord(JournalScore{1, 2, 2.0, 2.5, "3"}), kResumable, kWhole},
    {"TotalNotTheSum", WithRecord(JournalScore{1, 2, 2.0, 2.0, "2"}), kResumable, kWhole},
    {"TwoJudgesRemovedAtOnce",
     WithRecord(JournalJudge{1, 1, 0, false, JournalBoxes::Unchanged, Totals(1, 2.5, 0)}),
     kResumable, kWhole},
    {"TabulatedBeforeTheLastJudge", WithRecord(JournalTabulated{3}), kResumable, kWhole},
    {"SecondSetUp", WithRecord(kBegin), kResumable, kWhole},
};

class JournalMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(JournalMalformedTest, ReadingStopsAtTheFirstBadRecord) {
    const ReplayedJournal journal = ReplayJournal(GetParam().bytes);
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
