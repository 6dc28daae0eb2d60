// The journals on a Windows disk: the lock of a program's journal is held by a handle of its own,
// which conflicts with another store's even in the same process, lets the journal be read and
// written through other handles, and lets it be removed while the lock is still held. A store that
// goes without removing its journal stands for a program that ended.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/QtJournalStore.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

TEST(QtJournalStoreWindowsTest, AJournalIsOfferedOnlyOnceItsStoreWentAndIsRemovedWhileHeld) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString folder = home.filePath(QStringLiteral("journals"));
    QtJournalStore running(folder);
    ASSERT_TRUE(running.create("running").ok());
    ASSERT_TRUE(running.append("+1").ok());
    QString left;
    {
        QtJournalStore ended(folder);
        ASSERT_TRUE(ended.create("ended, torn").ok());
        const QStringList names = testing::NamesIn(folder);
        ASSERT_EQ(names.size(), 2);
        left =
            folder + u'/' +
            (testing::FileBytes(folder + u'/' + names[0]) == "ended, torn" ? names[0] : names[1]);
    }

    QtJournalStore starting(folder);
    ASSERT_EQ(starting.leftBehind(), std::vector<QString>{left});
    EXPECT_TRUE(QtJournalStore(folder).leftBehind().empty())
        << "a journal offered by one start is held by it";
    std::string bytes;
    ASSERT_TRUE(starting.read(left, bytes).ok());
    EXPECT_EQ(bytes, "ended, torn");
    ASSERT_TRUE(starting.adopt(left, 5).ok());
    ASSERT_TRUE(starting.append(", going on").ok());
    EXPECT_EQ(testing::FileBytes(left), "ended, going on");
    EXPECT_TRUE(QtJournalStore(folder).leftBehind().empty());

    starting.remove();
    running.remove();
    EXPECT_TRUE(testing::NamesIn(folder).isEmpty()) << "each journal removed under its lock";
}

}  // namespace
}  // namespace bis
