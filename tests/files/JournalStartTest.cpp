// What a start does with each file of the journals folder on the disk: it offers the show of a
// journal its program left, whatever an old lock file beside it names, never one a live program
// holds; it removes without a word what holds no unsaved score; it keeps aside and tells of what it
// cannot read back, under a free name; and it leaves other files alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <optional>

#include "files/ShowFile.h"
#include "files/ShowJournal.h"
#include "platform/QtJournalStore.h"
#include "support/Fakes.h"
#include "support/ScratchFolder.h"

namespace bis::testing {
namespace {

const JournalId kId{7, 1, 4, 2, 8, 5, 7, 1, 4, 2, 8, 5, 7, 1, 4, 2};

std::string Record(const JournalRecord &record) {
    return JournalRecordBytes(kId, record);
}

// A journal's bytes, with those from the place on replaced.
std::string Replaced(std::string bytes, std::size_t at, std::string_view with) {
    bytes.replace(at, with.size(), with);
    return bytes;
}

void WriteFile(const QString &path, std::string_view bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(JournalStartTest, AStartOffersKeepsAndTellsOrLeavesEachFileOfTheJournalsFolder) {
    // A show of one judge, scored twice and tabulated, and what its journal held at each step.
    const std::string setUp =
        JournalStart(kId, {"Dahlia Society", "Town", "09/12/2026", 1, {0, 4, 6}});
    const std::string scored =
        setUp + Record(JournalScore{2, "2", '.'}) + Record(JournalScore{3, "1", '.'});
    const std::string tabulated = scored + Record(JournalTabulated{});
    const std::string showFile = ShowFileBytes(ReplayJournal(tabulated).show);
    // Saved, but the closing record never reached the disk.
    const std::string saving =
        tabulated + Record(JournalSaving{"/one.oxl", showFile.size(), Crc32(showFile)});
    std::string crafted = scored;
    while (crafted.size() < (1U << 20)) {
        crafted += std::string("\x06\0", 2);
    }

    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    const QString path = folder + QStringLiteral("/0123456789abcdef0011223344556677.journal");
    const auto oldLock = [](const char *machineId) {
        return "2\nbestinshow\n" + QSysInfo::machineHostName().toStdString() + "\n" + machineId +
               "\n";
    };
    const auto told = [&](const QString &kept) {
        return ShownMessage{"WARNING!",
                            "An unfinished show could not be read back: its journal is damaged. "
                            "It is kept as " +
                                QDir::toNativeSeparators(path + kept) + ".",
                            false};
    };
    const ShownMessage offer{"UNFINISHED SHOW",
                             "The program stopped before the show of Dahlia Society on 09/12/2026 "
                             "was saved. Do you want to continue it where it stopped?",
                             true};
    const ShownMessage partLost{"WARNING!",
                                "Part of the unfinished show could not be read back. Check the "
                                "scores of judge 1 and of the judges after it against their "
                                "ballots.",
                                false};
    const std::string headerFF = Replaced(scored, 20, std::string(16, '\xFF'));
    const std::string checkZeroed = Replaced(scored, 28, std::string("\xFF\xFF\0\0\0\0\0\0", 8));
    const std::string zeroed64 = Replaced(scored, 0, std::string(64, '\0'));
    const std::string middle = Replaced(scored, setUp.size() + 9, "\x05");
    const std::string savedElsewhere = tabulated + Record(JournalSaving{"/x.oxl", 1, 2});
    const std::vector<ShownMessage> none, offered{offer}, partly{offer, partLost},
        told1{told(".damaged")}, told2{told(".2.damaged")};
    using Beside = std::pair<QString, std::string>;  // what follows the journal's name, bytes
    const Beside lockHere{".lock", oldLock("0")}, lockElsewhere{".lock", oldLock("0123456789ab")},
        creation{".new", "BISJOURN\x02"}, notes{".txt", "Notes"}, earlier{".damaged", "earlier"};

    // A row answers Yes to the offer, when one is made; the journal stays where it was only when
    // it is taken up whole, or a live program holds it.
    const struct {
        const char *name;
        std::string bytes;  // under the journal's name, or none
        Beside beside;      // another file beside it, or none
        bool heldByALiveProgram;
        std::vector<ShownMessage> shown;
        QString damagedKeptAs;  // after the journal's name: where its bytes are kept, if anywhere
    } cases[] = {
        {"Closed", scored + Record(JournalClosed{}), {}, false, none, {}},
        {"ClosingRecordLostAfterSave", saving, {}, false, none, {}},
        {"SaveNeverReachedItsFile", savedElsewhere, {}, false, offered, {}},
        {"HeldByALiveProgram", scored, {}, true, none, {}},
        {"OldLockFileOfThisMachineNamingPid2", scored, lockHere, false, offered, {}},
        {"OldLockFileOfAnotherMachine", scored, lockElsewhere, false, offered, {}},
        {"CreationCutShort", {}, creation, false, none, {}},
        {"NotTheProgramsFile", {}, notes, false, none, {}},
        {"DamagedInTheMiddle", middle, {}, false, partly, ".damaged"},
        {"CraftedTail", crafted, {}, false, partly, ".damaged"},
        {"HeaderBytes20To35", headerFF, {}, false, told1, ".damaged"},
        {"HeaderCheckZeroed", checkZeroed, {}, false, told1, ".damaged"},
        {"First64BytesZeroed", zeroed64, {}, false, told1, ".damaged"},
        {"LeftoverDamagedOfOtherBytes", headerFF, earlier, false, told2, ".2.damaged"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(folder));
        std::optional<QtJournalStore> live;
        if (c.heldByALiveProgram) {
            live.emplace(folder);
            ASSERT_TRUE(live->create(c.bytes).ok());
        } else if (!c.bytes.empty()) {
            WriteFile(path, c.bytes);
        }
        if (!c.beside.first.isEmpty()) {
            WriteFile(path + c.beside.first, c.beside.second);
        }
        const QStringList before = NamesIn(folder);
        FakePlatform fake;
        fake.fileSystem.files = {{"/one.oxl", showFile}};
        fake.messages.answers = {true};
        QtJournalStore store(folder);
        Platform platform{fake.messages,   fake.programEnd, fake.fileDialogs,
                          fake.fileSystem, fake.printer,    '.',
                          &store};
        ShowJournal journal(platform);

        const auto continued = journal.ContinueUnfinished(nullptr);
        if (continued) {
            journal.TellWhatWasLost(nullptr, *continued);
        }
        EXPECT_EQ(continued.has_value(), !c.shown.empty() && c.shown[0] == offer);
        EXPECT_EQ(fake.messages.shown, c.shown);
        if (c.heldByALiveProgram) {
            EXPECT_EQ(NamesIn(folder), before) << "a live program's journal is its own";
        } else if (!c.bytes.empty()) {
            EXPECT_EQ(QFile::exists(path), continued && c.damagedKeptAs.isEmpty());
        }
        if (!c.damagedKeptAs.isEmpty()) {
            EXPECT_EQ(FileBytes(path + c.damagedKeptAs).toStdString(), c.bytes);
        }
        if (c.beside.first == ".new") {
            EXPECT_FALSE(QFile::exists(path + c.beside.first)) << "a creation holds no score";
        }
        if (c.beside.first == ".damaged" || c.beside.first == ".txt") {
            EXPECT_EQ(FileBytes(path + c.beside.first).toStdString(), c.beside.second)
                << "another's file is left as it was";
        }
        store.remove();
    }
}

}  // namespace
}  // namespace bis::testing
