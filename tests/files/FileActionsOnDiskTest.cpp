#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>

#include "files/FileActionsOnDisk.h"
#include "files/ShowFile.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

using testing::FileActionsOnDiskTest;
using testing::SampleShow;

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

}  // namespace
}  // namespace bis
