// The file actions on the real file system where a test needs a child process of the test program:
// one that gives up root, since root may write anywhere, and one with a file-size limit of its
// own. Windows has neither (and Wine does not apply Windows permissions).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <string>

#include "files/FileActionsOnDisk.h"
#include "files/ShowFile.h"
#include "support/ChildProcess.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

using testing::FileActionsOnDiskTest;
using testing::SampleShow;

// Saves the show under the path and tells what came of it, as one text a child process can give
// back: "ReportSaved <flag>", then "|<title>: <text>" for each message shown.
class FileActionsOnDiskPosixTest : public FileActionsOnDiskTest {
  protected:
    std::string SavedAs(ShowRecord &show, const QString &target) {
        dialogs_.paths = {target};
        SaveShow(platform_, nullptr, show);
        std::string result = "ReportSaved " + std::to_string(show.ReportSaved);
        for (const auto &message : messages_.shown) {
            result += "|" + message.title.toStdString() + ": " + message.text.toStdString();
        }
        return result;
    }
};

TEST_F(FileActionsOnDiskPosixTest, SavingIntoAFolderWithoutWritePermissionGivesTheSystemsText) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("locked"));
    ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner | QFile::ReadOther |
                                                          QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(
        path("locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    const QString target = path("locked/show.oxl");

    // Root may write anywhere, so the action runs in a child that is not root.
    const std::string shown = testing::RunInChild(
        [&]() {
            ShowRecord show = SampleShow();
            return SavedAs(show, target);
        },
        true);

    EXPECT_EQ(shown, "ReportSaved 0|File error: Permission denied Please select another file name");
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(FileActionsOnDiskPosixTest, AWriteThatFailsPartWayLeavesNoFileBehind) {
    // A file-size limit stops the write part-way through, as a full disk would. It is set in a
    // child so that the test program keeps its own limit.
    const QString target = path("big.oxl");
    const std::string shown = testing::RunInChild([&]() {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2048;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return std::string("!setrlimit failed");
        }
        ShowRecord show = SampleShow(200);
        if (ShowFileBytes(show).size() < 3 * 2048) {
            return std::string("!show file too small for the test");
        }
        return SavedAs(show, target);
    });

    EXPECT_EQ(shown, "ReportSaved 0|File error: File too large Please select another file name");
    EXPECT_EQ(names(), QStringList());

    // The name is still free, so the same save succeeds once there is room.
    ShowRecord show = SampleShow(200);
    dialogs_.paths = {target};
    SaveShow(platform_, nullptr, show);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(read("big.oxl"), QByteArray::fromStdString(ShowFileBytes(show)));
}

}  // namespace
}  // namespace bis
