// The journals on the real disk: one program's journal is its user's alone, is never offered
// while its program runs, and is offered, read, cut back and grown again once its program died.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/QtJournalStore.h"
#include "support/ChildProcess.h"
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

    struct stat status {};
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

}  // namespace
}  // namespace bis
