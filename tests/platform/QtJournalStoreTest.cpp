// The journals on the real disk: one program's journal is its user's alone, is never offered
// while its program runs, and is offered, read, cut back and grown again once its program died,
// whatever machine id its lock names; one removed under its program goes on in a new one; and one
// whose taking up failed stays held.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/QtJournalStore.h"
#include "support/ChildProcess.h"
#include "support/FaultDisk.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

TEST(QtJournalStoreTest, AJournalIsOfferedOnlyOnceItsProgramDied) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("data/journals"));

    QtJournalStore running(folder);
    ASSERT_TRUE(running.create("running").ok());
    ASSERT_TRUE(running.append("+1").ok());
    QtJournalStore starting(folder);
    EXPECT_TRUE(starting.leftBehind().empty()) << "the running program's journal is its own";

    struct stat status{};
    const QStringList journals = QDir(folder).entryList({QStringLiteral("*.journal")});
    ASSERT_EQ(journals.size(), 1);
    const QString journal = folder + u'/' + journals[0];
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700U);
    ASSERT_EQ(::stat(QFile::encodeName(journal).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600U);
    EXPECT_EQ(testing::FileBytes(journal), "running+1");

    // A program that dies with its journal open, as a crash leaves it.
    EXPECT_EQ(testing::RunInChild([&] {
                  QtJournalStore dying(folder);
                  (void)dying.create("dying, torn");
                  ::_exit(0);
                  return std::string();
              }),
              "");
    const std::vector<QString> left = starting.leftBehind();
    ASSERT_EQ(left.size(), 1U);
    QtJournalStore other(folder);
    EXPECT_TRUE(other.leftBehind().empty()) << "a journal offered by one start is held by it";

    std::string bytes;
    ASSERT_TRUE(starting.read(left[0], bytes).ok());
    EXPECT_EQ(bytes, "dying, torn");
    ASSERT_TRUE(starting.adopt(left[0], 5).ok());
    ASSERT_TRUE(starting.append(", going on").ok());
    EXPECT_EQ(testing::FileBytes(left[0]), "dying, going on");

    starting.remove();
    running.remove();
    EXPECT_TRUE(testing::NamesIn(folder).isEmpty()) << "no journal and no lock is left";
}

// A journal left by a program that died, its lock naming another machine id, as after the id was
// made anew or the system cloned, and the host in capitals.
QString DeadProgramsJournal(const QString &folder, const std::string &bytes) {
    (void)testing::RunInChild([&] {
        QtJournalStore dying(folder);
        (void)dying.create(bytes);
        ::_exit(0);
        return std::string();
    });
    const QStringList journals = QDir(folder).entryList({QStringLiteral("*.journal")});
    const QString journal = journals.isEmpty() ? QString() : folder + u'/' + journals[0];
    QFile lock(journal + QStringLiteral(".lock"));
    if (lock.open(QIODevice::ReadOnly)) {
        QList<QByteArray> lines = lock.readAll().split('\n');
        lock.close();
        if (lines.size() > 3) {
            lines[2] = lines[2].toUpper();  // as Windows writes the computer's name
            lines[3] = "0123456789abcdef0123456789abcdef";
        }
        (void)lock.open(QIODevice::WriteOnly | QIODevice::Truncate);
        lock.write(lines.join('\n'));
    }
    return journal;
}

TEST(QtJournalStoreTest,
     ADeadProgramsJournalIsOfferedWhateverItsLockNamesAndStaysHeldWhenTakingItUpFails) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    const QString journal = DeadProgramsJournal(folder, "the show");
    ASSERT_FALSE(journal.isEmpty());

    // The journal is on this disk, not on the one this store writes through: taking it up fails.
    testing::FaultDisk otherDisk;
    const auto otherCalls = testing::SystemLayerOn(otherDisk);
    QtJournalStore starting(folder, *otherCalls);
    ASSERT_EQ(starting.leftBehind(), std::vector<QString>{journal});
    EXPECT_FALSE(starting.adopt(journal, 3).ok());
    starting.release();
    EXPECT_TRUE(QtJournalStore(folder).leftBehind().empty())
        << "the show this program goes on with is offered by no other";
    EXPECT_EQ(testing::FileBytes(journal), "the show");
}

TEST(QtJournalStoreTest, AJournalRemovedUnderItsProgramGoesOnInANewOne) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    QtJournalStore store(folder);
    ASSERT_TRUE(store.create("set-up").ok());
    ASSERT_TRUE(store.append(",1").ok());
    for (const QString &name : testing::NamesIn(folder)) {
        ASSERT_TRUE(QFile::remove(folder + u'/' + name)) << "a clean-up tool at work";
    }
    ASSERT_TRUE(store.append(",2").ok());
    ASSERT_TRUE(store.append(",3").ok());

    const QStringList journals = QDir(folder).entryList({QStringLiteral("*.journal")});
    ASSERT_EQ(journals.size(), 1);
    EXPECT_EQ(testing::FileBytes(folder + u'/' + journals[0]), "set-up,1,2,3");
    EXPECT_TRUE(QtJournalStore(folder).leftBehind().empty()) << "the new journal is held";
    store.remove();
    EXPECT_TRUE(testing::NamesIn(folder).isEmpty());
}

}  // namespace
}  // namespace bis
