#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

#include "platform/LocalFileSystem.h"
#include "support/ChildProcess.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"

namespace bis {
namespace {

using Kind = FileFailure::Kind;

std::string KindName(Kind kind) {
    switch (kind) {
        case Kind::None:
            return "None";
        case Kind::NotFound:
            return "NotFound";
        case Kind::AlreadyExists:
            return "AlreadyExists";
        case Kind::DriveNotReady:
            return "DriveNotReady";
        case Kind::Other:
            return "Other";
    }
    return "?";
}

// A failure as one text, "Kind|description", so that it can come back from a child process.
std::string Described(const FileFailure &failure) {
    return KindName(failure.kind) + "|" + failure.description.toStdString();
}

// A scratch folder that other users may enter, so that a child that gave up root can reach it.
class LocalFileSystemPosixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_EQ(::chmod(QFile::encodeName(folder_.path()).constData(), 0755), 0);
    }

    QString path(const QString &name) const { return QDir(folder_.path()).filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray read(const QString &name) const { return testing::FileBytes(path(name)); }

    QStringList names() const { return testing::NamesIn(folder_.path()); }

    void makeFolder(const QString &name, int mode) const {
        ASSERT_TRUE(QDir(folder_.path()).mkdir(name));
        ASSERT_EQ(::chmod(QFile::encodeName(path(name)).constData(), mode), 0);
    }

    QTemporaryDir folder_;
    LocalFileSystem fileSystem_;
};

TEST_F(LocalFileSystemPosixTest, ExistsForAnythingUnderTheName) {
    write("file.oxl", "x");
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.oxl"));
    ASSERT_TRUE(QFile::link(path("nowhere"), path("dangling.oxl")));

    EXPECT_TRUE(fileSystem_.exists(path("file.oxl")));
    EXPECT_TRUE(fileSystem_.exists(path("folder.oxl")));
    EXPECT_TRUE(fileSystem_.exists(path("dangling.oxl")));
    EXPECT_FALSE(fileSystem_.exists(path("missing.oxl")));
    EXPECT_FALSE(fileSystem_.exists(path("missing/file.oxl")));
    EXPECT_FALSE(fileSystem_.exists(QString()));
}

TEST_F(LocalFileSystemPosixTest, CreateNewWritesExactlyTheBytesAndNothingElse) {
    const std::string bytes("line one\r\n\0\xE6\r\nlast", 17);
    const mode_t oldMask = ::umask(022);
    const FileFailure failure = fileSystem_.createNew(path("show.oxl"), bytes);
    ::umask(oldMask);

    EXPECT_EQ(Described(failure), "None|");
    EXPECT_EQ(read("show.oxl"), QByteArray::fromStdString(bytes));
    EXPECT_EQ(names(), QStringList{"show.oxl"});
    struct stat status = {};
    ASSERT_EQ(::stat(QFile::encodeName(path("show.oxl")).constData(), &status), 0);
    // Readable by others like any file the user saves, not private like a temporary file.
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(LocalFileSystemPosixTest, CreateNewWritesAnEmptyFile) {
    EXPECT_EQ(Described(fileSystem_.createNew(path("empty.txt"), "")), "None|");
    EXPECT_EQ(read("empty.txt"), QByteArray());
    EXPECT_EQ(names(), QStringList{"empty.txt"});
}

TEST_F(LocalFileSystemPosixTest, CreateNewNeverReplacesWhatIsThere) {
    write("file.oxl", "kept");
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.oxl"));
    ASSERT_TRUE(QFile::link(path("target"), path("link.oxl")));

    for (const char *name : {"file.oxl", "folder.oxl", "link.oxl"}) {
        SCOPED_TRACE(name);
        const FileFailure failure = fileSystem_.createNew(path(name), "new");
        EXPECT_EQ(failure.kind, Kind::AlreadyExists);
        EXPECT_EQ(failure.description, QStringLiteral("File exists"));
    }
    EXPECT_EQ(read("file.oxl"), QByteArray("kept"));
    EXPECT_TRUE(QFileInfo(path("folder.oxl")).isDir());
    EXPECT_EQ(QFile::symLinkTarget(path("link.oxl")), path("target"));
    EXPECT_FALSE(QFile::exists(path("target")));
    EXPECT_EQ(names(), (QStringList{"file.oxl", "folder.oxl", "link.oxl"}));
}

TEST_F(LocalFileSystemPosixTest, RemoveTakesAWrittenFileAwayAndSaysWhenItCannot) {
    ASSERT_EQ(Described(fileSystem_.createNew(path("report.txt"), "text")), "None|");
    EXPECT_EQ(Described(fileSystem_.remove(path("report.txt"))), "None|");
    EXPECT_EQ(names(), QStringList());
    EXPECT_EQ(Described(fileSystem_.remove(path("report.txt"))),
              "NotFound|No such file or directory");
}

// How a file operation should fail, and where. Permissions are tested in a child that is not
// root, since root may write anywhere.
struct FailureCase {
    const char *name;
    const char *path;  // inside the scratch folder
    bool unprivileged;
    std::string expected;  // "Kind|description"
};

TEST_F(LocalFileSystemPosixTest, CreateNewClassifiesFailuresAndLeavesNothingBehind) {
    makeFolder("locked", 0555);
    write("plain", "x");
    const FailureCase cases[] = {
        {"MissingFolder", "no such folder/show.oxl", false, "NotFound|No such file or directory"},
        {"FolderNotWritable", "locked/show.oxl", true, "Other|Permission denied"},
        {"PathThroughAFile", "plain/show.oxl", false, "Other|Not a directory"},
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = path(c.path);
        const QStringList before = names();
        const std::string outcome = testing::RunInChild(
            [&]() { return Described(LocalFileSystem().createNew(target, "bytes")); },
            c.unprivileged);
        EXPECT_EQ(outcome, c.expected);
        EXPECT_FALSE(QFileInfo::exists(target));
        EXPECT_EQ(names(), before);
        EXPECT_EQ(
            QDir(path("locked")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    }
}

TEST_F(LocalFileSystemPosixTest, ReadAllClassifiesFailures) {
    write("secret.oxl", "x");
    ASSERT_EQ(::chmod(QFile::encodeName(path("secret.oxl")).constData(), 0), 0);
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.oxl"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.oxl")).constData(), 0644), 0);
    {
        // A sparse file: large on paper, nothing on the disk.
        QFile huge(path("huge.oxl"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(1) << 30));
    }

    const FailureCase cases[] = {
        {"Missing", "missing.oxl", false, "NotFound|No such file or directory"},
        {"Folder", "folder.oxl", false, "Other|Is a directory"},
        {"NotReadable", "secret.oxl", true, "Other|Permission denied"},
        {"NamedPipe", "pipe.oxl", false, "Other|Invalid argument"},
        {"FarTooLarge", "huge.oxl", false, "Other|File too large"},
    };
    for (const FailureCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = path(c.path);
        const std::string outcome = testing::RunInChild(
            [&]() {
                std::string bytes = "untouched";
                const FileFailure failure = LocalFileSystem().readAll(source, bytes);
                return Described(failure) + "|" + bytes;
            },
            c.unprivileged);
        EXPECT_EQ(outcome, c.expected + "|untouched");
    }
}

TEST_F(LocalFileSystemPosixTest, ReadAllGivesEveryByte) {
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    write("big.oxl", QByteArray::fromStdString(bytes));
    std::string read;
    EXPECT_EQ(Described(fileSystem_.readAll(path("big.oxl"), read)), "None|");
    EXPECT_EQ(read, bytes);
}

}  // namespace
}  // namespace bis
