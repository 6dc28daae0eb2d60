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

    struct stat status {};
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

// The real calls, but a cut of a file fails: taking up a journal fails.
const PosixSystemCalls &NoCuts() {
    static PosixSystemCalls calls = [] {
        PosixSystemCalls real = RealPosixSystemCalls();
        real.ftruncate = [](int, off_t) {
            errno = EIO;
            return -1;
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
    lock.write("2\nbestinshow\n" + QSysInfo::machineHostName().toUtf8() +
               "\n0123456789abcdef0123456789abcdef\n");
    lock.close();
    ASSERT_TRUE(QFile::copy(journal, journal + QStringLiteral(".damaged")));
    const QString elsewhere = DeadProgramsJournal(home.filePath(QStringLiteral("elsewhere")), "x");
    ASSERT_TRUE(QFile::link(elsewhere, folder + QStringLiteral("/linked.journal")));

    const auto calls = PosixFileCallsOn(NoCuts());
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

// The real calls, but the file system keeps no locks, as some network shares.
const PosixSystemCalls &NoLocks() {
    static PosixSystemCalls calls = [] {
        PosixSystemCalls real = RealPosixSystemCalls();
        real.flock = [](int, int) {
            errno = ENOLCK;
            return -1;
        };
        return real;
    }();
    return calls;
}

TEST(QtJournalStoreTest, WhereNoLockCanBeTakenNoJournalIsKeptNorOffered) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    const QString dead = DeadProgramsJournal(folder, "the show");
    ASSERT_FALSE(dead.isEmpty());

    const auto calls = PosixFileCallsOn(NoLocks());
    QtJournalStore store(folder, *calls);
    EXPECT_TRUE(store.leftBehind().empty());
    EXPECT_FALSE(store.create("set-up").ok());
    EXPECT_EQ(testing::NamesIn(folder), QStringList{QFileInfo(dead).fileName()});
}

TEST(QtJournalStoreTest, AJournalsNameIsItsIdIn32HexDigits) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    QtJournalStore store(folder);
    // Each name joins two random numbers; one in sixteen has a zero in front.
    for (int journal = 0; journal < 64; ++journal) {
        ASSERT_TRUE(store.create("set-up").ok());
        const QStringList names = testing::NamesIn(folder);
        ASSERT_EQ(names.size(), 1);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{32}\\.journal$"))
                        .match(names[0])
                        .hasMatch())
            << names[0].toStdString();
    }
    store.remove();
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
    char target[4096];
    const ssize_t size = ::readlink(QFile::encodeName(name).constData(), target, sizeof target);
    return size >= 0
               ? "->" + QFileInfo(QFile::decodeName(QByteArray(target, size))).fileName().toUtf8()
               : testing::FileBytes(name);
}

TEST(QtJournalStoreTest, ADamagedJournalsBytesAreKeptUnderAFreeNameNeverThroughALink) {
    // What lies under the journal's name and a suffix before its bytes are kept (see WhatIsUnder;
    // the file "same" holds the bytes kept, "nowhere" is missing), and the suffix they are then
    // kept under.
    struct Case {
        const char *what;
        std::vector<std::pair<QString, QByteArray>> before;
        const char *kept;
    };
    const Case cases[] = {
        {"nothing", {}, ".damaged"},
        {"the same bytes, kept by an earlier start", {{".damaged", "damaged"}}, ".damaged"},
        {"other bytes", {{".damaged", "other"}}, ".2.damaged"},
        {"a link leading nowhere", {{".damaged", "->nowhere"}}, ".2.damaged"},
        {"a link to the same bytes", {{".damaged", "->same"}}, ".2.damaged"},
        {"other bytes, then the same",
         {{".damaged", "other"}, {".2.damaged", "damaged"}},
         ".2.damaged"},
        {"other bytes, then a link",
         {{".damaged", "other"}, {".2.damaged", "->nowhere"}},
         ".3.damaged"},
    };
    for (const Case &c : cases) {
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        const QString folder = home.filePath(QStringLiteral("journals"));
        const QString journal = DeadProgramsJournal(folder, "damaged");
        ASSERT_FALSE(journal.isEmpty()) << c.what;
        QFile same(home.filePath(QStringLiteral("same")));
        ASSERT_TRUE(same.open(QIODevice::WriteOnly));
        same.write("damaged");
        same.close();
        for (const auto &[suffix, contents] : c.before) {
            if (contents.startsWith("->")) {
                ASSERT_TRUE(QFile::link(home.filePath(QString::fromUtf8(contents.mid(2))),
                                        journal + suffix));
            } else {
                QFile file(journal + suffix);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(contents);
            }
        }

        QtJournalStore starting(folder);
        ASSERT_EQ(starting.leftBehind(), std::vector<QString>{journal}) << c.what;
        QString kept;
        ASSERT_TRUE(starting.keepDamaged(journal, "damaged", kept).ok()) << c.what;
        EXPECT_EQ(kept, journal + QString::fromLatin1(c.kept)) << c.what;
        EXPECT_EQ(WhatIsUnder(kept), "damaged") << c.what;
        for (const auto &[suffix, contents] : c.before) {
            EXPECT_EQ(WhatIsUnder(journal + suffix), contents)
                << c.what << ": " << suffix.toStdString() << " is left as it was";
        }
        EXPECT_EQ(WhatIsUnder(same.fileName()), "damaged") << c.what;
    }
}

}  // namespace
}  // namespace bis
