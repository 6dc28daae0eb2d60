// The Windows file system: the system's error codes told apart as the program needs them, Windows
// names (either slash, any case), and files created whole or not at all.
#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <thread>

#include "platform/FileCallsWindows.h"
#include "platform/LocalFileSystem.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

using Kind = FileFailure::Kind;

TEST(WindowsFileErrorsTest, EachSystemErrorBecomesTheFailureTheProgramTellsApart) {
    const struct {
        DWORD error;
        Kind kind;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, Kind::NotFound},
        {ERROR_PATH_NOT_FOUND, Kind::NotFound},
        {ERROR_INVALID_DRIVE, Kind::NotFound},
        {ERROR_BAD_NETPATH, Kind::NotFound},
        {ERROR_BAD_NET_NAME, Kind::NotFound},
        {ERROR_FILE_EXISTS, Kind::AlreadyExists},
        {ERROR_ALREADY_EXISTS, Kind::AlreadyExists},
        {ERROR_NOT_READY, Kind::DriveNotReady},
        {ERROR_NO_MEDIA_IN_DRIVE, Kind::DriveNotReady},
        {ERROR_ACCESS_DENIED, Kind::Other},
        {ERROR_DISK_FULL, Kind::Other},
        {ERROR_SHARING_VIOLATION, Kind::Other},
        {ERROR_WRITE_PROTECT, Kind::Other},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.error);
        const FileFailure failure = FileFailureOfWindowsError(c.error);
        EXPECT_EQ(failure.kind, c.kind);
        // The system's own words, as the messages show them after the program's.
        EXPECT_EQ(failure.description, qt_error_string(static_cast<int>(c.error)));
        EXPECT_FALSE(failure.description.isEmpty());
    }
}

class LocalFileSystemWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // The name as a Windows user writes it: drive letter and backslashes.
    QString path(const QString &name) const {
        return QDir::toNativeSeparators(QDir(folder_.path()).filePath(name));
    }

    QByteArray read(const QString &name) const { return testing::FileBytes(path(name)); }

    QStringList names() const { return testing::NamesIn(folder_.path()); }

    QTemporaryDir folder_;
    LocalFileSystem fileSystem_;
};

TEST_F(LocalFileSystemWindowsTest, CreateNewWritesExactlyTheBytesUnderADriveLetterName) {
    ASSERT_EQ(path("show.oxl").at(1), u':');
    const std::string bytes("line one\r\n\0\xE6\r\nlast", 17);
    EXPECT_TRUE(fileSystem_.createNew(path("show.oxl"), bytes).ok());
    EXPECT_EQ(read("show.oxl"), QByteArray::fromStdString(bytes));
    EXPECT_EQ(names(), QStringList{"show.oxl"});

    std::string back;
    EXPECT_TRUE(fileSystem_.readAll(path("show.oxl"), back).ok());
    EXPECT_EQ(back, bytes);
    EXPECT_TRUE(fileSystem_.createNew(path("empty.txt"), "").ok());
    EXPECT_EQ(read("empty.txt"), QByteArray());
}

TEST_F(LocalFileSystemWindowsTest, NamesThatDifferOnlyInCaseAreOneFile) {
    ASSERT_TRUE(fileSystem_.createNew(path("Spring Show.oxl"), "kept").ok());

    EXPECT_TRUE(fileSystem_.exists(path("SPRING SHOW.OXL")));
    EXPECT_TRUE(fileSystem_.exists(QDir::fromNativeSeparators(path("spring show.oxl"))));
    const FileFailure failure = fileSystem_.createNew(path("spring show.OXL"), "new");
    EXPECT_EQ(failure.kind, Kind::AlreadyExists);
    EXPECT_EQ(read("Spring Show.oxl"), QByteArray("kept"));
    EXPECT_EQ(names(), QStringList{"Spring Show.oxl"});
}

TEST_F(LocalFileSystemWindowsTest, CreateNewNeverReplacesWhatIsThere) {
    ASSERT_TRUE(fileSystem_.createNew(path("file.oxl"), "kept").ok());
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.oxl"));

    for (const char *name : {"file.oxl", "folder.oxl"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fileSystem_.createNew(path(name), "new").kind, Kind::AlreadyExists);
    }
    EXPECT_EQ(read("file.oxl"), QByteArray("kept"));
    EXPECT_TRUE(QFileInfo(path("folder.oxl")).isDir());
    EXPECT_EQ(names(), (QStringList{"file.oxl", "folder.oxl"}));
}

TEST_F(LocalFileSystemWindowsTest, FailuresAreToldApartAndLeaveNothingBehind) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.oxl"));
    {
        // Large on paper only: the file is never filled.
        QFile huge(path("huge.oxl"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(1) << 30));
    }
    const QStringList before = names();
    std::string bytes = "untouched";

    EXPECT_EQ(fileSystem_.createNew(path("no such folder\\show.oxl"), "x").kind, Kind::NotFound);
    EXPECT_EQ(fileSystem_.readAll(path("missing.oxl"), bytes).kind, Kind::NotFound);
    EXPECT_EQ(fileSystem_.readAll(path("no such folder\\show.oxl"), bytes).kind, Kind::NotFound);
    EXPECT_EQ(fileSystem_.readAll(path("folder.oxl"), bytes).kind, Kind::Other);
    EXPECT_EQ(fileSystem_.readAll(path("huge.oxl"), bytes).kind, Kind::Other);
    EXPECT_EQ(fileSystem_.remove(path("missing.oxl")).kind, Kind::NotFound);
    EXPECT_FALSE(fileSystem_.exists(path("missing.oxl")));
    EXPECT_FALSE(fileSystem_.exists(QString()));

    EXPECT_EQ(bytes, "untouched");
    EXPECT_EQ(names(), before);
}

// A virus scanner or an indexer opens a new file for a moment, sharing nothing: a move or a
// removal of it waits until it lets go.
TEST_F(LocalFileSystemWindowsTest, AMoveOrARemovalWaitsForAProgramHoldingTheFileForAMoment) {
    ASSERT_TRUE(fileSystem_.createNew(path("new.oxl"), "x").ok());
    FileCalls &calls = SystemFileCalls();
    const struct {
        const char *held;
        std::function<SystemError()> call;
    } steps[] = {
        {"new.oxl", [&] { return calls.moveToFreeName(path("new.oxl"), path("moved.oxl")); }},
        {"moved.oxl", [&] { return calls.remove(path("moved.oxl")); }},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.held);
        const HANDLE held = ::CreateFileW(path(step.held).toStdWString().c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread scanner([held] {
            ::Sleep(500);
            ::CloseHandle(held);
        });
        EXPECT_EQ(step.call(), 0U);
        scanner.join();
    }
    EXPECT_TRUE(names().isEmpty());
}

}  // namespace
}  // namespace bis
