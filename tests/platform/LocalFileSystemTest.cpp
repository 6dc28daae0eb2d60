// The file-system policy written once for both systems, on a fake of the system's calls: fresh
// temporary names, whole writes, the move that never replaces, the size cap and the clean-up
// after every failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/LocalFileSystem.h"
#include "support/QStringPrinter.h"

namespace bis {
namespace {

constexpr std::int64_t kCap = 64 * 1024 * 1024;

// What a failure of the error number says.
QString Said(SystemError error) {
    return qt_error_string(static_cast<int>(error));
}

// Files in memory, which take no locks. Error numbers: 1 no such path, 2 name taken, 3 too large.
class FakeFileCalls : public FileCalls {
  public:
    std::map<QString, std::string> files;
    std::vector<QString> tried;         // every name createNew was asked for
    int takenNames = 0;                 // createNew finds this many names taken first
    SystemError writeError = 0;         // every write to a temporary file fails so
    SystemError inPlaceWriteError = 0;  // every write to any other file fails so
    SystemError moveError = 0;          // moveToFreeName fails so
    std::int64_t streamedBytes = -1;    // when set, a file read gives this many bytes
    std::int64_t reportedSize = 0;      // the size openToRead gives

    SystemErrorNumbers errorNumbers() const override { return {1, 2, 3, 4, 5}; }
    QString folderSeparators() const override { return QStringLiteral("/"); }
    FileFailure::Kind kindOf(SystemError) const override { return FileFailure::Kind::Other; }
    bool exists(const QString &path) override { return files.count(path) != 0; }

    SystemError openToRead(const QString &path, std::unique_ptr<OpenFile> &file,
                           std::int64_t &size) override {
        if (!exists(path)) {
            return 1;
        }
        size = reportedSize;
        file = std::make_unique<File>(*this, path);
        return 0;
    }
    SystemError createNew(const QString &path, FileAccess,
                          std::unique_ptr<OpenFile> &file) override {
        tried.push_back(path);
        if (exists(path) || takenNames-- > 0) {
            return 2;
        }
        files[path];
        file = std::make_unique<File>(*this, path);
        return 0;
    }
    SystemError moveToFreeName(const QString &from, const QString &to) override {
        if (moveError != 0) {
            return moveError;
        }
        files[to] = files[from];
        files.erase(from);
        return 0;
    }
    SystemError remove(const QString &path) override { return files.erase(path) != 0 ? 0 : 1; }
    SystemError openToAppend(const QString &, std::unique_ptr<OpenFile> &) override { return 1; }
    SystemError openToLock(const QString &, std::unique_ptr<OpenFile> &) override { return 1; }
    SystemError flushFolder(const QString &) override { return 0; }

  private:
    // Writes at most three bytes at a time.
    class File : public OpenFile {
      public:
        File(FakeFileCalls &calls, const QString &path) : calls_(calls), path_(path) {}
        // Reads from the start, one piece after another, wherever the caller asks to read.
        SystemError readAt(std::uint64_t, char *buffer, std::size_t size,
                           std::size_t &count) override {
            const std::string &bytes = calls_.files[path_];
            const auto left = calls_.streamedBytes >= 0
                                  ? calls_.streamedBytes - at_
                                  : static_cast<std::int64_t>(bytes.size()) - at_;
            count = static_cast<std::size_t>(std::min<std::int64_t>(left, size));
            std::fill(buffer, buffer + count, 'x');
            if (calls_.streamedBytes < 0) {
                std::copy_n(bytes.data() + at_, count, buffer);
            }
            at_ += static_cast<std::int64_t>(count);
            return 0;
        }
        SystemError write(const char *bytes, std::size_t size, std::size_t &count) override {
            count = std::min<std::size_t>(size, 3);
            calls_.files[path_].append(bytes, count);
            return path_.contains(".bestinshow-") ? calls_.writeError : calls_.inPlaceWriteError;
        }
        SystemError flush() override { return 0; }
        SystemError truncate(std::uint64_t) override { return 0; }
        bool isAt(const QString &) override { return true; }
        SystemError lock() override { return 5; }
        SystemError close() override { return 0; }

      private:
        FakeFileCalls &calls_;
        QString path_;
        std::int64_t at_ = 0;
    };
};

TEST(LocalFileSystemTest, CreateNewWritesUnderAFreshHiddenNameAndMovesItIntoPlace) {
    for (const int taken : {0, 99, 100}) {
        SCOPED_TRACE(taken);
        FakeFileCalls calls;
        calls.takenNames = taken;
        const FileFailure failure = LocalFileSystem(calls).createNew("shows/a.oxl", "0123456789");
        ASSERT_FALSE(calls.tried.empty());
        EXPECT_TRUE(calls.tried[0].startsWith("shows/.bestinshow-"))
            << calls.tried[0].toStdString();
        EXPECT_TRUE(calls.tried[0].endsWith(".tmp"));
        if (taken < 100) {
            EXPECT_TRUE(failure.ok());
            EXPECT_EQ(calls.files, (std::map<QString, std::string>{{"shows/a.oxl", "0123456789"}}));
        } else {
            EXPECT_EQ(failure.description, Said(2)) << "every name tried was taken";
            EXPECT_EQ(calls.tried.size(), 100u);
            EXPECT_TRUE(calls.files.empty());
        }
    }
    FakeFileCalls calls;
    EXPECT_EQ(LocalFileSystem(calls).createNew("", "x").description, Said(1));
}

TEST(LocalFileSystemTest, AFailedCreateNewLeavesNothingBehind) {
    const struct {
        const char *name;
        SystemError writeError, moveError, inPlaceWriteError;
        SystemError failure;  // 0 when the file is written
    } cases[] = {
        {"WriteFails", 7, 0, 0, 7},
        {"MoveFails", 0, 8, 0, 8},
        {"NoMoveSoWrittenInPlace", 0, kNoMoveWithoutReplacing, 0, 0},
        {"NoMoveAndTheWriteInPlaceFails", 0, kNoMoveWithoutReplacing, 9, 9},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileCalls calls;
        calls.writeError = c.writeError;
        calls.moveError = c.moveError;
        calls.inPlaceWriteError = c.inPlaceWriteError;
        const FileFailure failure = LocalFileSystem(calls).createNew("a.oxl", "bytes");
        EXPECT_EQ(failure.description, c.failure == 0 ? QString() : Said(c.failure));
        EXPECT_EQ(calls.files, c.failure == 0 ? (std::map<QString, std::string>{{"a.oxl", "bytes"}})
                                              : (std::map<QString, std::string>{}));
    }
}

TEST(LocalFileSystemTest, ReadAllGivesEveryByteUpToTheCap) {
    const struct {
        std::int64_t reportedSize, streamedBytes;
        bool read;
    } cases[] = {
        {kCap, kCap, true},
        {kCap + 1, 0, false},   // too large when opened
        {10, kCap + 1, false},  // grew past the cap while read
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.streamedBytes);
        FakeFileCalls calls;
        calls.files["a.oxl"];
        calls.reportedSize = c.reportedSize;
        calls.streamedBytes = c.streamedBytes;
        std::string bytes = "before";
        const FileFailure failure = LocalFileSystem(calls).readAll("a.oxl", bytes);
        EXPECT_EQ(failure.description, c.read ? QString() : Said(3));
        EXPECT_EQ(bytes.size(), c.read ? static_cast<std::size_t>(kCap) : 6u);
    }
}

}  // namespace
}  // namespace bis
