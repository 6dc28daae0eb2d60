#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <string>

#include "files/FileActions.h"
#include "files/ShowFile.h"
#include "platform/QtFileSystem.h"
#ifndef _WIN32
#include "support/ChildProcess.h"
#endif
#include "support/Fakes.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

using testing::FakeFileDialogs;
using testing::FakeMessages;
using testing::FakePrinter;
using testing::FakeProgramEnd;
using testing::SampleShow;

// The real file system, with another program acting on the path right after the program has
// checked whether it exists: the window between the check and the use.
class RacingFileSystem : public FileSystem {
  public:
    std::function<void(const QString &)> meanwhile;

    bool exists(const QString &path) override {
        const bool found = real_.exists(path);
        if (meanwhile) {
            meanwhile(path);
        }
        return found;
    }
    FileFailure readAll(const QString &path, std::string &bytes) override {
        return real_.readAll(path, bytes);
    }
    FileFailure createNew(const QString &path, const std::string &bytes) override {
        return real_.createNew(path, bytes);
    }
    FileFailure remove(const QString &path) override { return real_.remove(path); }

  private:
    QtFileSystem real_;
};

// The file actions on real files in a scratch folder, with scripted dialogs and messages.
class FileActionsOnDiskTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString path(const QString &name) const { return QDir(folder_.path()).filePath(name); }

    QByteArray read(const QString &name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void write(const QString &name, const QByteArray &bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::NewOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QStringList names() const {
        return QDir(folder_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    QTemporaryDir folder_;
    FakeMessages messages_;
    FakeProgramEnd programEnd_;
    FakeFileDialogs dialogs_;
    RacingFileSystem fileSystem_;
    FakePrinter printer_;
    Platform platform_{messages_, programEnd_, dialogs_, fileSystem_, printer_, '.'};
};

TEST_F(FileActionsOnDiskTest, SaveThenRecallGivesBackTheSameShow) {
    ShowRecord saved = SampleShow(5);
    dialogs_.paths = {path("show"), path("show.oxl")};
    messages_.answers = {true};
    SaveShow(platform_, nullptr, saved);
    EXPECT_EQ(saved.ReportSaved, 1);
    EXPECT_EQ(read("show.oxl"), QByteArray::fromStdString(ShowFileBytes(saved)));

    ShowRecord recalled;
    recalled.Initialise();
    EXPECT_TRUE(RecallShow(platform_, nullptr, recalled));
    EXPECT_EQ(ShowFileBytes(recalled), ShowFileBytes(saved));
    EXPECT_EQ(recalled.Scores, saved.Scores);
    EXPECT_EQ(recalled.ReportSaved, 1);
    ASSERT_EQ(messages_.shown.size(), 1u);  // the suffix question only
    EXPECT_EQ(messages_.shown[0].title, "Add suffix");
    EXPECT_EQ(names(), QStringList{"show.oxl"});
}

TEST_F(FileActionsOnDiskTest, SavingOverAnExistingFileLeavesItAsItWas) {
    write("show.oxl", "precious");
    ShowRecord show = SampleShow();
    dialogs_.paths = {path("show.oxl")};
    SaveShow(platform_, nullptr, show);

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Sorry, file already exists. Please try another name.");
    EXPECT_EQ(read("show.oxl"), QByteArray("precious"));
    EXPECT_EQ(show.ReportSaved, 0);
}

TEST_F(FileActionsOnDiskTest, AFileThatAppearsAfterTheCheckIsNeverOverwritten) {
    fileSystem_.meanwhile = [](const QString &name) {
        QFile other(name);
        ASSERT_TRUE(other.open(QIODevice::NewOnly));
        other.write("another program's file");
    };
    ShowRecord show = SampleShow();
    dialogs_.paths = {path("report.txt")};
    PrepareTextReport(platform_, nullptr, show);

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, "File error");
    EXPECT_EQ(messages_.shown[0].text, "Sorry, file already exists. Please try another name.");
    EXPECT_EQ(read("report.txt"), QByteArray("another program's file"));
    EXPECT_EQ(names(), QStringList{"report.txt"});
}

TEST_F(FileActionsOnDiskTest, AFileThatVanishesAfterTheCheckIsReportedMissing) {
    ShowRecord good = SampleShow(2);
    write("show.oxl", QByteArray::fromStdString(ShowFileBytes(good)));
    fileSystem_.meanwhile = [](const QString &name) { ASSERT_TRUE(QFile::remove(name)); };
    ShowRecord show = SampleShow(3);
    const std::string before = ShowFileBytes(show);
    dialogs_.paths = {path("show.oxl")};

    EXPECT_FALSE(RecallShow(platform_, nullptr, show));

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, "File error");
    EXPECT_EQ(messages_.shown[0].text, "Sorry, file does not exist. Please try again.");
    EXPECT_EQ(ShowFileBytes(show), before);
}

TEST_F(FileActionsOnDiskTest, RecallingAFolderAsksForAnotherFile) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("shows.oxl"));
    ShowRecord show = SampleShow();
    const std::string before = ShowFileBytes(show);
    dialogs_.paths = {path("shows.oxl")};

    EXPECT_FALSE(RecallShow(platform_, nullptr, show));

    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].title, "File error");
    EXPECT_EQ(messages_.shown[0].text, "Please select another file");
    EXPECT_EQ(ShowFileBytes(show), before);
}

// Both need a child process of the test program: one that gives up root, since root may write
// anywhere, and one with a file-size limit of its own. Windows has neither (and Wine does not
// apply Windows permissions).
#ifndef _WIN32
TEST_F(FileActionsOnDiskTest, SavingIntoAFolderWithoutWritePermissionGivesTheSystemsText) {
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
            dialogs_.paths = {target};
            SaveShow(platform_, nullptr, show);
            std::string result = "ReportSaved " + std::to_string(show.ReportSaved);
            for (const auto &message : messages_.shown) {
                result += "|" + message.title.toStdString() + ": " + message.text.toStdString();
            }
            return result;
        },
        true);

    EXPECT_EQ(shown, "ReportSaved 0|File error: Permission denied Please select another file name");
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(FileActionsOnDiskTest, AWriteThatFailsPartWayLeavesNoFileBehind) {
    // A file-size limit stops the write part-way through, as a full disk would. It is set in a
    // child so that the test program keeps its own limit.
    const QString target = path("big.oxl");
    const std::string shown = testing::RunInChild([&]() {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2048;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return std::string("!setrlimit failed");
        }
        ShowRecord show = SampleShow(200);
        if (ShowFileBytes(show).size() < 3 * 2048) {
            return std::string("!show file too small for the test");
        }
        dialogs_.paths = {target};
        SaveShow(platform_, nullptr, show);
        std::string result = "ReportSaved " + std::to_string(show.ReportSaved);
        for (const auto &message : messages_.shown) {
            result += "|" + message.title.toStdString() + ": " + message.text.toStdString();
        }
        return result;
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
#endif

}  // namespace
}  // namespace bis
