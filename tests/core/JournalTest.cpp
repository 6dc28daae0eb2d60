// The journal's records replayed onto a fresh show, and one named case per malformed journal: a
// reader that takes a bad tail for data, or stops before a good record, fails here.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "files/Journal.h"

namespace bis {
namespace {

const JournalId kId{7, 1, 4, 2, 8, 5, 7, 1, 4, 2, 8, 5, 7, 1, 4, 2};
const JournalId kOtherId{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};

// Three judges; LARGE (2), SMALL (3) and SPIDER (6) have blooms.
const JournalBegin kBegin{"Rose Club", "Springfield", "05/04/2026", 3, {0, 4, 6, 0, 0, 3}};

// Judge 1 scores two boxes (one with a decimal comma) and moves on; judge 2 scores one and goes
// back; judge 1 is shown again with its scores.
const std::vector<JournalRecord> kSession = {
    JournalScore{2, "1", '.'},  JournalScore{3, " 2,5 ", ','}, JournalNextJudge{},
    JournalScore{2, ".5", '.'}, JournalPreviousJudge{},
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

    const ScorecardState &card = journal.scorecard;
    EXPECT_FALSE(journal.tabulated);
    EXPECT_EQ(card.currentJudge, 1);
    EXPECT_EQ(card.boxes, ScoreBoxes::Scores);
    EXPECT_FALSE(card.typed[1].has_value()) << "a change of judge fills the boxes anew";
    EXPECT_TRUE(card.totalShown[1]);
    EXPECT_FALSE(card.totalShown[5]);
    EXPECT_TRUE(card.removeShown) << "the last judge's ballot is not entered";
}

// One malformed journal: its bytes, what it comes to, why reading stopped, and how many records
// still count. Reading stops at the record after them, or in the header (kInHeader).
struct MalformedCase {
    const char *name;
    std::string bytes;
    ReplayedJournal::Outcome outcome;
    ReplayedJournal::Stop stop;
    std::size_t records;
    bool inHeader = false;

    friend void PrintTo(const MalformedCase &c, std::ostream *out) { *out << c.name; }
};

const std::string kWholeJournal = Journal(kSession);
const std::size_t kSetUpSize = Journal({}).size();

std::string WithRecord(const JournalRecord &record, const JournalId &id = kId) {
    return kWholeJournal + JournalRecordBytes(id, record);
}

// The bytes with those from the place on replaced.
std::string Changed(std::size_t at, std::string_view with, std::string bytes = kWholeJournal) {
    bytes.replace(at, with.size(), with);
    return bytes;
}

std::string SetUpWith(std::int16_t judges, std::string club) {
    JournalBegin begin = kBegin;
    begin.numJudges = judges;
    begin.clubName = std::move(club);
    return JournalStart(kId, begin);
}

// The whole journal under a header whose check holds, with the bytes at the place replaced.
std::string HeaderWith(std::size_t at, std::string_view with) {
    std::string bytes = Changed(at, with);
    const std::uint32_t crc = Crc32(std::string_view(bytes).substr(0, 32));
    for (int i = 0; i < 4; ++i) {
        bytes[32 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (8 * i));
    }
    return bytes;
}

// A record whose check fails, followed by what a crafted file repeats to slow a reader down.
std::string Crafted(std::size_t size) {
    std::string bytes = kWholeJournal;
    while (bytes.size() < size) {
        bytes += std::string("\x06\0", 2);
    }
    return bytes;
}

const std::size_t kWhole = 1 + kSession.size();
using Outcome = ReplayedJournal::Outcome;
using Stop = ReplayedJournal::Stop;
const std::string kTooLong(kMaxShowTextCharacters + 1, '1');
const std::string kFF(16, '\xFF');
constexpr bool kInHeader = true;

const MalformedCase kMalformed[] = {
    // What a writer that died before its first score leaves: removed without a word.
    {"Empty", "", Outcome::Unfinished, Stop::TornTail, 0, kInHeader},
    {"TornMagic", kWholeJournal.substr(0, 5), Outcome::Unfinished, Stop::TornTail, 0, kInHeader},
    {"TornHeader", kWholeJournal.substr(0, 20), Outcome::Unfinished, Stop::TornTail, 0, kInHeader},
    {"ZerosOfANewJournal", std::string(kSetUpSize, '\0'), Outcome::Unfinished, Stop::TornTail, 0,
     kInHeader},
    {"TornSetUp", kWholeJournal.substr(0, kSetUpSize - 3), Outcome::Unfinished, Stop::TornTail, 0},
    // What a writer that died later leaves: cut back to its last whole record.
    {"TornTail", kWholeJournal.substr(0, kWholeJournal.size() - 3), Outcome::Resumable,
     Stop::TornTail, kWhole - 1},
    {"TornFrame", kWholeJournal + std::string("\x15\0\0", 3), Outcome::Resumable, Stop::TornTail,
     kWhole},
    {"GarbledLastRecord", Changed(kWholeJournal.size() - 1, "x"), Outcome::Resumable,
     Stop::TornTail, kWhole - 1},
    {"ForeignId", WithRecord(JournalNextJudge{}, kOtherId), Outcome::Resumable, Stop::TornTail,
     kWhole},
    {"ZerosTail", kWholeJournal + std::string(4096, '\0'), Outcome::Resumable, Stop::TornTail,
     kWhole},
    {"ShortCraftedTail", Crafted(kWholeJournal.size() + 2000), Outcome::Resumable, Stop::TornTail,
     kWhole},
    // Damage: kept aside and told.
    {"DamageInTheMiddle", Changed(kSetUpSize + 9, "\x05"), Outcome::Resumable, Stop::BadRecord, 1},
    {"MoreThanARecordAfterABadOne", Crafted(450000), Outcome::Resumable, Stop::BadRecord, kWhole},
    {"HeaderAndSetUpLengthFF", Changed(20, kFF), Outcome::Unreadable, Stop::BadHeader, 0,
     kInHeader},
    {"HeaderCheckZeroed", Changed(28, std::string("\xFF\xFF\0\0\0\0\0\0", 8)), Outcome::Unreadable,
     Stop::BadHeader, 0, kInHeader},
    {"DamagedSetUp", Changed(kSetUpSize - 3, "x"), Outcome::Unreadable, Stop::BadRecord, 0},
    {"SetUpLongerThanTheHeaderSays", HeaderWith(28, std::string("\x02\0\0\0", 4)),
     Outcome::Unreadable, Stop::ImpossibleRecord, 0},
    {"NoJudges", SetUpWith(0, "Rose Club"), Outcome::Unreadable, Stop::ImpossibleRecord, 0},
    {"QuoteInTheClubName", SetUpWith(3, "Rose \"Club\""), Outcome::Unreadable,
     Stop::ImpossibleRecord, 0},
    {"ClubNameTooLong", SetUpWith(3, kTooLong), Outcome::Unreadable, Stop::TextTooLong, 0},
    {"TextTooLong", WithRecord(JournalScore{2, kTooLong, '.'}), Outcome::Resumable,
     Stop::TextTooLong, kWhole},
    // Records the scorecard's rules refuse there (the rules themselves are the screen's, and its
    // tests hold their cases).
    {"ScoreAboveFive", WithRecord(JournalScore{2, "5.5", '.'}), Outcome::Resumable,
     Stop::ImpossibleRecord, kWhole},
    {"NoSuchCategory", WithRecord(JournalScore{11, "1", '.'}), Outcome::Resumable,
     Stop::ImpossibleRecord, kWhole},
    {"PreviousOnJudgeOne", WithRecord(JournalPreviousJudge{}), Outcome::Resumable,
     Stop::ImpossibleRecord, kWhole},
    {"SavedBeforeTheTabulation", WithRecord(JournalSaving{"show.oxl", 1, 2}), Outcome::Resumable,
     Stop::ImpossibleRecord, kWhole},
    {"SecondSetUp", WithRecord(kBegin), Outcome::Resumable, Stop::ImpossibleRecord, kWhole},
    // Not a journal of this version: what the start does depends on the file's name.
    {"NotAJournal", "\"Version 02.30\"\r\n\"Club\"\r\n", Outcome::NotAJournal, Stop::End, 0,
     kInHeader},
    {"First64BytesZeroed", Changed(0, std::string(64, '\0')), Outcome::NotAJournal, Stop::End, 0,
     kInHeader},
    {"AnotherVersion", HeaderWith(8, "\x01"), Outcome::OtherVersion, Stop::End, 0, kInHeader},
    // Saved or given up: removed without a word.
    {"ClosingRecord", WithRecord(JournalClosed{}), Outcome::Closed, Stop::End, kWhole + 1},
};
class JournalMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(JournalMalformedTest, ReadingSaysWhyItStoppedAndKeepsEveryRecordBefore) {
    const MalformedCase &c = GetParam();
    const ReplayedJournal journal = ReplayJournal(c.bytes);
    EXPECT_EQ(journal.outcome, c.outcome);
    EXPECT_EQ(journal.stop, c.stop);
    EXPECT_EQ(journal.records, c.records);
    EXPECT_EQ(journal.stoppedAt, c.inHeader ? 0 : c.records + 1);
    if (c.outcome == Outcome::Resumable) {
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
