// A power cut at any moment of Save Report: the show file written, flushed, moved into place and
// its folder flushed, then the journal's closing record and its removal, all through the
// program's own file layer on a disk that knows what was flushed. Every state a cut could leave
// holds either the journal that offers the show at the next start or the whole show file and no
// offer: never neither (a lost show), never both (a saved show offered again).
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "files/FileActions.h"
#include "files/ShowFile.h"
#include "files/ShowJournal.h"
#include "platform/LocalFileSystem.h"
#include "platform/QtJournalStore.h"
#include "support/Fakes.h"
#include "support/FaultDisk.h"
#include "support/SampleShow.h"

namespace bis::testing {
namespace {

// Whether a start on the disk as a power cut left it offers the show: the program's own decision,
// on the journal and the show file the state holds.
bool Offered(const DiskFiles &files, const std::string &showPath) {
    FakePlatform start;
    for (const auto &[path, bytes] : files) {
        if (QString::fromStdString(path).endsWith(QStringLiteral(".journal"))) {
            start.journalStore.left.emplace_back(QString::fromStdString(path), bytes);
        }
    }
    if (const auto show = files.find(showPath); show != files.end()) {
        start.fileSystem.files[QString::fromStdString(showPath)] = show->second;
    }
    start.platform.journalStore = &start.journalStore;
    start.messages.answers = {true};
    return ShowJournal(start.platform).ContinueUnfinished(nullptr).has_value();
}

TEST(SaveCrashTest, APowerCutLeavesTheOfferOrTheSavedShowFileNeverNeitherNorBoth) {
    QTemporaryDir home;  // where the journals' locks are taken
    ASSERT_TRUE(home.isValid());
    FaultDisk disk;
    const auto calls = SystemLayerOn(disk);
    LocalFileSystem files(*calls);
    QtJournalStore store(home.filePath(QStringLiteral("journals")), *calls);
    FakePlatform fake;
    Platform platform{fake.messages, fake.programEnd, fake.fileDialogs, files, fake.printer,
                      '.',           &store};
    ShowJournal journal(platform);

    // A show of one judge, scored and tabulated as the scorecard journals it.
    ShowRecord show = SampleShow(1);
    journal.Begin(nullptr, show);
    for (int c = 1; c <= kCategoryCount; ++c) {
        if (show.Eligible(c)) {
            journal.Record(nullptr, JournalScore{static_cast<std::int16_t>(c),
                                                 std::to_string(show.Scores(1, c)), '.'});
        }
    }
    journal.Record(nullptr, JournalTabulated{});
    const std::string showPath =
        FaultDisk::Key(home.filePath(QStringLiteral("show.oxl")).toStdString());
    const std::string showBytes = ShowFileBytes(show);

    std::mt19937 random(20261210);
    int states = 0;
    disk.changed = [&] {
        for (const CrashState &state : disk.CrashStates(random)) {
            ++states;
            const auto saved = state.files.find(showPath);
            if (saved != state.files.end()) {
                ASSERT_EQ(saved->second, showBytes) << "a torn show file: " << state.what;
            }
            ASSERT_NE(Offered(state.files, showPath), saved != state.files.end()) << state.what;
        }
    };
    disk.changed();
    fake.fileDialogs.paths = {QString::fromStdString(showPath)};
    ASSERT_TRUE(SaveShow(platform, nullptr, show, &journal));
    journal.Close();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_GT(states, 50);
}

}  // namespace
}  // namespace bis::testing
