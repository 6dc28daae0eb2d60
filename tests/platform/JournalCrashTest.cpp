// The states a crash can leave a journal in, as a fault-injection test builds them: the
// program's own file layer on a disk that knows what was flushed, and at each write, cut and flush
// every kind of state a stop could leave (the flushed bytes plus any tear, garbling, loss or
// zeroing of what was not; no file at all while the folder's entry was not flushed). Every state
// must give back every record acknowledged before it, nothing but whole records of the show, and
// no damage: a stop is a torn tail. A journal taken up after a stop is cut back before it grows.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "files/Journal.h"
#include "platform/JournalFile.h"
#include "support/FaultDisk.h"

namespace bis {
namespace {

using testing::CrashState;
using testing::FaultDisk;
using testing::SystemLayerOn;

// A scorecard session of random scores for three judges, one after another, ending in the
// tabulation, as the scorecard journals it.
std::vector<JournalRecord> RandomSession(std::mt19937 &random) {
    const std::int16_t eligible[] = {2, 3, 6, 9};
    const char *const scores[] = {"0", ".5", "1", "1.5", "2", "2.5", "3", "3.5", "4", "4.5", "5"};
    std::vector<JournalRecord> records;
    for (int judge = 1; judge <= 3; ++judge) {
        if (judge > 1) {
            records.push_back(JournalNextJudge{});
        }
        for (unsigned n = 5 + random() % 10; n > 0; --n) {
            records.push_back(JournalScore{eligible[random() % 4], scores[random() % 11], '.'});
        }
    }
    records.push_back(JournalTabulated{});
    return records;
}

TEST(JournalCrashTest, EveryStateACrashCanLeaveGivesBackEveryAcknowledgedRecord) {
    const JournalId id{3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3};
    const JournalBegin begin{"Club", "Town", "06/01/2026", 3, {0, 2, 5, 0, 0, 3, 0, 0, 1, 0}};
    const std::string path = "journals/a.journal";
    std::mt19937 random(20261209);

    for (int session = 0; session < 12; ++session) {
        const std::vector<JournalRecord> records = RandomSession(random);
        // Every byte the journal is meant to hold, and where each whole record ends in it.
        std::string intended = JournalStart(id, begin);
        std::vector<std::size_t> boundaries = {intended.size()};
        for (const JournalRecord &record : records) {
            intended += JournalRecordBytes(id, record);
            boundaries.push_back(intended.size());
        }
        ASSERT_EQ(ReplayJournal(intended).records, boundaries.size()) << "the session is valid";

        FaultDisk disk;
        const auto calls = SystemLayerOn(disk);
        std::size_t acknowledged = 0;
        int states = 0;
        disk.changed = [&] {
            for (const CrashState &state : disk.CrashStates(random)) {
                ++states;
                const auto file = state.files.find(path);
                const std::string bytes = file == state.files.end() ? "" : file->second;
                const ReplayedJournal journal = ReplayJournal(bytes);
                ASSERT_GE(journal.records, acknowledged) << state.what << ", session " << session;
                EXPECT_FALSE(journal.damaged()) << "a stop is no damage: " << state.what;
                if (journal.records == 0) {
                    continue;
                }
                EXPECT_EQ(journal.validLength, boundaries[journal.records - 1]) << state.what;
                EXPECT_EQ(bytes.substr(0, journal.validLength),
                          intended.substr(0, journal.validLength))
                    << state.what;
            }
        };

        // A first program writes part of the session and dies in the middle of a record; a
        // second one takes the journal up, cut back to its last whole record, and ends it.
        const std::size_t died = 1 + random() % (records.size() - 1);
        {
            JournalFile first(*calls);
            std::unique_ptr<OpenFile> lock;
            ASSERT_TRUE(
                first.create(QString::fromStdString(path), JournalStart(id, begin), lock).ok());
            acknowledged = 1;
            for (std::size_t r = 0; r < died; ++r) {
                ASSERT_TRUE(first.append(JournalRecordBytes(id, records[r])).ok());
                ++acknowledged;
            }
            const std::string torn = JournalRecordBytes(id, records[died]);
            ASSERT_TRUE(first.append(torn.substr(0, torn.size() / 2)).ok());
        }
        JournalFile second(*calls);
        ASSERT_TRUE(second.adopt(QString::fromStdString(path), boundaries[died]).ok());
        for (std::size_t r = died; r < records.size(); ++r) {
            ASSERT_TRUE(second.append(JournalRecordBytes(id, records[r])).ok());
            ++acknowledged;
        }
        disk.changed();
        EXPECT_GT(states, 100);
    }
}

}  // namespace
}  // namespace bis
