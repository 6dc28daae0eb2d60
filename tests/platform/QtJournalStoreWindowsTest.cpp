// The journals on a Windows disk: a journal's lock conflicts with another store's even in the same
// process, leaves the journal to be taken up through a handle of its own, and lets it be removed
// while the lock is held. A store that goes without removing its journal stands for a program that
// ended.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "platform/QtJournalStore.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

TEST(QtJournalStoreWindowsTest, AJournalIsOfferedOnlyOnceItsStoreWentAndIsRemovedWhileHeld) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QtJournalStore running(home.path());
    ASSERT_TRUE(running.create("running").ok());
    auto ended = std::make_unique<QtJournalStore>(home.path());
    ASSERT_TRUE(ended->create("ended, torn").ok());
    const QStringList names = testing::NamesIn(home.path());
    ASSERT_EQ(names.size(), 2);
    const QString left = home.filePath(
        testing::FileBytes(home.filePath(names[0])) == "ended, torn" ? names[0] : names[1]);
    EXPECT_TRUE(QtJournalStore(home.path()).leftBehind().empty());
    ended.reset();

    QtJournalStore starting(home.path());
    ASSERT_EQ(starting.leftBehind(), std::vector<QString>{left});
    EXPECT_TRUE(QtJournalStore(home.path()).leftBehind().empty());
    ASSERT_TRUE(starting.adopt(left, 5).ok());
    ASSERT_TRUE(starting.append(", going on").ok());
    EXPECT_EQ(testing::FileBytes(left), "ended, going on");
    starting.remove();
    running.remove();
    EXPECT_TRUE(testing::NamesIn(home.path()).isEmpty()) << "each journal removed under its lock";
}

}  // namespace
}  // namespace bis
