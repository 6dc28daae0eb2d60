// The states a crash can leave a journal in, as LevelDB's fault-injection test builds them: a
// disk that records every write and flush, and at each of them every state a stop could leave
// (the flushed bytes plus any tear, garbling, loss or zeroing of what was not flushed; no file at
// all while the folder's entry was not flushed). Every state must give back every record
// acknowledged before it, and nothing but whole records of the show.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "files/Journal.h"
#include "platform/JournalFile.h"

namespace bis {
namespace {

// One file's life as the disk knows it: whether its entry in the folder is on the disk, the bytes
// flushed, and the writes made since.
class RecordingDisk : public JournalDisk {
  public:
    FileFailure createNew(const QString &, Handle &file) override {
        file = 1;
        return {};
    }
    FileFailure openExisting(const QString &, Handle &file) override {
        file = 1;
        return {};
    }
    FileFailure write(Handle, std::string_view bytes) override {
        unflushed.emplace_back(bytes);
        changed();
        return {};
    }
    FileFailure truncate(Handle, std::size_t) override { return {}; }
    FileFailure flush(Handle) override {
        for (const std::string &bytes : unflushed) {
            durable += bytes;
        }
        unflushed.clear();
        changed();
        return {};
    }
    FileFailure flushFolder(const QString &) override {
        entryDurable = true;
        changed();
        return {};
    }
    void close(Handle) override {}

    bool entryDurable = false;
    std::string durable;
    std::vector<std::string> unflushed;
    std::function<void()> changed = [] {};
};

// A scorecard session of random scores for three judges, one after another, ending in the
// tabulation, as the scorecard journals it.
std::vector<JournalRecord> RandomSession(std::mt19937 &random) {
    const std::int16_t eligible[] = {2, 3, 6, 9};
    std::vector<JournalRecord> records;
    std::array<std::array<double, kCategoryCount>, 4> scores{};
    std::array<double, kCategoryCount> totals{};
    for (std::int16_t judge = 1; judge <= 3; ++judge) {
        if (judge > 1) {
            records.push_back(JournalJudge{3, judge, static_cast<std::int16_t>(judge - 1),
                                           judge < 3, JournalBoxes::Empty, totals});
        }
        for (unsigned n = 5 + random() % 10; n > 0; --n) {
            const std::int16_t c = eligible[random() % 4];
            const double value = static_cast<double>(random() % 11) / 2.0;
            totals[c - 1] += value - scores[judge][c - 1];
            scores[judge][c - 1] = value;
            records.push_back(
                JournalScore{judge, c, value, totals[c - 1], std::to_string(value).substr(0, 3)});
        }
    }
    records.push_back(JournalTabulated{3});
    return records;
}

TEST(JournalCrashTest, EveryStateACrashCanLeaveGivesBackEveryAcknowledgedRecord) {
    const JournalId id{3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3};
    const JournalBegin begin{"Club", "Town", "06/01/2026", 3, {0, 2, 5, 0, 0, 3, 0, 0, 1, 0}};
    std::mt19937 random(20261209);

    for (int session = 0; session < 20; ++session) {
        const std::vector<JournalRecord> records = RandomSession(random);
        // Every byte the journal is meant to hold, and where each whole record ends in it.
        std::string intended = JournalStart(id, begin);
        std::vector<std::size_t> boundaries = {intended.size()};
        for (const JournalRecord &record : records) {
            intended += JournalRecordBytes(id, record);
            boundaries.push_back(intended.size());
        }
        ASSERT_EQ(ReplayJournal(intended).records, boundaries.size()) << "the session is valid";

        RecordingDisk disk;
        std::size_t acknowledged = 0;
        int states = 0;
        const auto check = [&](const std::string &bytes, const char *what) {
            ++states;
            const ReplayedJournal journal = ReplayJournal(bytes);
            ASSERT_GE(journal.records, acknowledged) << what << ", session " << session;
            if (journal.records == 0) {
                return;
            }
            EXPECT_EQ(journal.validLength, boundaries[journal.records - 1]) << what;
            EXPECT_EQ(bytes.substr(0, journal.validLength), intended.substr(0, journal.validLength))
                << what;
        };
        disk.changed = [&] {
            if (!disk.entryDurable) {
                check(std::string(), "the new file's entry lost");
            }
            std::string pending;
            for (const std::string &write : disk.unflushed) {
                pending += write;
            }
            for (std::size_t cut = 0; cut <= pending.size(); cut += 1 + random() % 7) {
                check(disk.durable + pending.substr(0, cut), "a torn write");
            }
            check(disk.durable + pending, "every write kept");
            check(disk.durable + std::string(pending.size(), '\0'), "the writes zeroed");
            if (!pending.empty()) {
                std::string garbled = pending;
                garbled[random() % garbled.size()] ^= static_cast<char>(1 + random() % 255);
                check(disk.durable + garbled, "a garbled write");
            }
            std::string subset;
            for (const std::string &write : disk.unflushed) {
                subset += random() % 2 == 0 ? write : std::string(write.size(), '\0');
            }
            check(disk.durable + subset, "some writes lost");
        };

        JournalFile file(disk);
        ASSERT_TRUE(
            file.create(QStringLiteral("journals/a.journal"), JournalStart(id, begin)).ok());
        acknowledged = 1;
        for (const JournalRecord &record : records) {
            ASSERT_TRUE(file.append(JournalRecordBytes(id, record)).ok());
            ++acknowledged;
        }
        disk.changed();
        EXPECT_GT(states, 100);
    }
}

}  // namespace
}  // namespace bis
