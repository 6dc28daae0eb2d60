// The journals on the real disk: one program's journal is its user's alone, is never offered
// while its program runs (to another store of the same process neither), and is offered, read,
// cut back and grown again once its program died, whatever an old lock file beside it names; one
// removed under its program goes on in a new one; one whose taking up failed stays held; where
// the file system keeps no locks no journal is kept; and a damaged journal's bytes are kept under
// a free name, never through a link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <cerrno>

#include "platform/FileCallsPosix.h"
#include "platform/QtJournalStore.h"
#include "support/ChildProcess.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

// The journal a program that died left in the folder, as a crash leaves it: open to its end.
QString DeadProgramsJournal(const QString &folder, const std::string &bytes) {
    const QStringList before = QDir(folder).entryList({QStringLiteral("*.journal")});
    (void)testing::RunInChild([&] {
        QtJournalStore dying(folder);
        (void)dying.create(bytes);
        ::_exit(0);
        return std::string();
    });
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.journal")})) {
        if (!before.contains(name)) {
            return folder + u'/' + name;
        }
    }
    return {};
}

TEST(QtJournalStoreTest, AJournalIsOfferedOnlyOnceItsProgramDied) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("data/journals"));

    QtJournalStore running(folder);
    ASSERT_TRUE(running.create("running").ok());
    ASSERT_TRUE(running.append("+1").ok());
    QtJournalStore starting(folder);
    EXPECT_TRUE(starting.leftBehind().empty()) << "the running program's journal is its own";

    struct stat status = {};
    const QStringList journals = QDir(folder).entryList({QStringLiteral("*.journal")});
    ASSERT_EQ(journals.size(), 1);
    const QString journal = folder + u'/' + journals[0];
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700U);
    ASSERT_EQ(::stat(QFile::encodeName(journal).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600U);
    EXPECT_EQ(testing::FileBytes(journal), "running+1");

    const QString dead = DeadProgramsJournal(folder, "dying, torn");
    ASSERT_FALSE(dead.isEmpty());
    const std::vector<QString> left = starting.leftBehind();
    ASSERT_EQ(left, std::vector<QString>{dead});
    QtJournalStore other(folder);
    EXPECT_TRUE(other.leftBehind().empty()) << "a journal offered by one start is held by it";

    std::string bytes;
    ASSERT_TRUE(starting.read(left[0], bytes).ok());
    EXPECT_EQ(bytes, "dying, torn");
    ASSERT_TRUE(starting.adopt(left[0], 5).ok());
    ASSERT_TRUE(starting.append(", going on").ok());
    EXPECT_EQ(testing::FileBytes(left[0]), "dying, going on");
    EXPECT_TRUE(other.leftBehind().empty()) << "a journal taken up is held by its new program";

    starting.remove();
    running.remove();
    EXPECT_TRUE(testing::NamesIn(folder).isEmpty()) << "no journal is left";
}

// The real calls, but a cut of a file fails (taking a journal up fails), and so does every lock
// while noLocks is set (a file system that keeps none).
bool noLocks = false;
const PosixSystemCalls &Failing() {
    static const PosixSystemCalls calls = [] {
        PosixSystemCalls real = RealPosixSystemCalls();
        real.ftruncate = [](int, off_t) { return errno = EIO, -1; };
        real.flock = [](int fd, int how) {
            return noLocks ? (errno = ENOLCK, -1) : ::flock(fd, how);
        };
        return real;
    }();
    return calls;
}

TEST(QtJournalStoreTest,
     ADeadProgramsJournalIsOfferedWhateverLiesBesideItAndStaysHeldWhenTakingItUpFails) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    const QString journal = DeadProgramsJournal(folder, "the show");
    ASSERT_FALSE(journal.isEmpty());
    // An earlier version's lock file naming this host, another machine id and a process the
    // program cannot look into; a damaged journal kept; a link to another dead program's journal.
    QFile lock(journal + QStringLiteral(".lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("2\nbestinshow\n" + QSysInfo::machineHostName().toUtf8() + "\n0123456789abcdef\n");
    lock.close();
    ASSERT_TRUE(QFile::copy(journal, journal + QStringLiteral(".damaged")));
    const QString elsewhere = DeadProgramsJournal(home.filePath(QStringLiteral("elsewhere")), "x");
    ASSERT_TRUE(QFile::link(elsewhere, folder + QStringLiteral("/linked.journal")));
    const QStringList names = testing::NamesIn(folder);

    const auto calls = PosixFileCallsOn(Failing());
    noLocks = true;
    {
        QtJournalStore noLocksHere(folder, *calls);
        EXPECT_TRUE(noLocksHere.leftBehind().empty()) << "no lock, no offer";
        EXPECT_FALSE(noLocksHere.create("set-up").ok()) << "no lock, no journal";
        EXPECT_EQ(testing::NamesIn(folder), names);
    }
    noLocks = false;

    QtJournalStore starting(folder, *calls);
    ASSERT_EQ(starting.leftBehind(), std::vector<QString>{journal});
    EXPECT_FALSE(starting.adopt(journal, 3).ok());
    starting.release();
    EXPECT_TRUE(QtJournalStore(folder).leftBehind().empty())
        << "the show this program goes on with is offered by no other";
    EXPECT_EQ(testing::FileBytes(journal), "the show");
    EXPECT_FALSE(QFile::exists(journal + QStringLiteral(".lock")))
        << "the old lock file goes with its journal";
}

TEST(QtJournalStoreTest, AJournalsNameIs32HexDigits) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QtJournalStore store(home.path());
    // Each name joins two random numbers; one in sixteen begins with a zero.
    for (int journal = 0; journal < 64; ++journal) {
        ASSERT_TRUE(store.create("set-up").ok());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{32}\\.journal$"))
                        .match(testing::NamesIn(home.path()).value(0))
                        .hasMatch());
    }
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

// What lies under a name: "->" and the name a symbolic link leads to, or the file's bytes.
QByteArray WhatIsUnder(const QString &name) {
    const QFileInfo info(name);
    return info.isSymLink() ? "->" + info.symLinkTarget().section(u'/', -1).toUtf8()
                            : testing::FileBytes(name);
}

TEST(QtJournalStoreTest, ADamagedJournalsBytesAreKeptUnderAFreeNameNeverThroughALink) {
    // What lies under the journal's name and a suffix before "damaged" is kept (as WhatIsUnder
    // gives it: the file "same" holds "damaged", "nowhere" is missing), and the suffix it is then
    // kept under; what lay there is left as it was.
    const struct {
        std::vector<std::pair<QString, QByteArray>> before;
        const char *kept;
    } cases[] = {
        {{}, ".damaged"},
        {{{".damaged", "damaged"}}, ".damaged"},
        {{{".damaged", "other"}}, ".2.damaged"},
        {{{".damaged", "->nowhere"}}, ".2.damaged"},
        {{{".damaged", "->same"}}, ".2.damaged"},
        {{{".damaged", "other"}, {".2.damaged", "->nowhere"}}, ".3.damaged"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.kept) +
                     (c.before.empty() ? "" : " after " + c.before[0].second.toStdString()));
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        const QString folder = home.filePath(QStringLiteral("journals"));
        const QString journal = DeadProgramsJournal(folder, "damaged");
        QFile same(home.filePath(QStringLiteral("same")));
        ASSERT_TRUE(same.open(QIODevice::WriteOnly) && same.write("damaged") == 7);
        same.close();
        for (const auto &[suffix, what] : c.before) {
            QFile file(journal + suffix);
            ASSERT_TRUE(
                what.startsWith("->")
                    ? QFile::link(home.filePath(QString::fromUtf8(what.mid(2))), file.fileName())
                    : file.open(QIODevice::WriteOnly) && file.write(what) == what.size());
        }

        QtJournalStore starting(folder);
        ASSERT_EQ(starting.leftBehind(), std::vector<QString>{journal});
        QString kept;
        ASSERT_TRUE(starting.keepDamaged(journal, "damaged", kept).ok());
        EXPECT_EQ(kept, journal + QString::fromLatin1(c.kept));
        EXPECT_EQ(WhatIsUnder(kept), "damaged");
        for (const auto &[suffix, what] : c.before) {
            EXPECT_EQ(WhatIsUnder(journal + suffix), what) << suffix.toStdString();
        }
    }
}

}  // namespace
}  // namespace bis
