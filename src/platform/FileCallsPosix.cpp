#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstdio>

#include "platform/FileCalls.h"

namespace bis {

namespace {

// Runs a read or a write, again while a signal interrupts it, and gives how many bytes it moved.
// 0, or the error number.
template <typename Call>
SystemError Moved(const Call &call, std::size_t &count) {
    ssize_t result = 0;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        return errno;
    }
    count = static_cast<std::size_t>(result);
    return 0;
}

// An open file descriptor, closed when it goes.
class PosixFile : public OpenFile {
  public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;

    SystemError read(char *buffer, std::size_t size, std::size_t &count) override {
        return Moved([&] { return ::read(fd_, buffer, size); }, count);
    }

    SystemError write(const char *bytes, std::size_t size, std::size_t &count) override {
        return Moved([&] { return ::write(fd_, bytes, size); }, count);
    }

    SystemError flush() override {
        // EINVAL: the file cannot be synchronised (a pipe or a special file); nothing to wait for.
        return ::fsync(fd_) != 0 && errno != EINVAL ? errno : 0;
    }

    SystemError close() override {
        const int result = ::close(fd_);
        fd_ = -1;
        return result != 0 ? errno : 0;
    }

  private:
    int fd_;
};

class PosixFileCalls : public FileCalls {
  public:
    SystemErrorNumbers errorNumbers() const override { return {ENOENT, EEXIST, EFBIG}; }

    QString folderSeparators() const override { return QStringLiteral("/"); }

    FileFailure::Kind kindOf(SystemError error) const override {
        switch (error) {
            case ENOENT:
                return FileFailure::Kind::NotFound;
            case EEXIST:
                return FileFailure::Kind::AlreadyExists;
            case ENOMEDIUM:
                return FileFailure::Kind::DriveNotReady;
            default:
                return FileFailure::Kind::Other;
        }
    }

    bool exists(const QString &path) override {
        // lstat, so that a dangling symbolic link counts as a name that is taken.
        struct stat status {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
    }

    SystemError openToRead(const QString &path, std::unique_ptr<OpenFile> &file,
                           std::int64_t &size) override {
        // Not blocking, so that a named pipe picked by mistake cannot hang the program; it is
        // refused below like every other file that is not a plain file.
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            return errno;
        }
        auto opened = std::make_unique<PosixFile>(fd);
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            return errno;
        }
        if (S_ISDIR(status.st_mode)) {
            return EISDIR;
        }
        if (!S_ISREG(status.st_mode)) {
            return EINVAL;
        }
        size = status.st_size;
        file = std::move(opened);
        return 0;
    }

    SystemError createNew(const QString &path, std::unique_ptr<OpenFile> &file) override {
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            return errno;
        }
        file = std::make_unique<PosixFile>(fd);
        return 0;
    }

    // A rename that refuses to replace, or where the file system lacks it, a hard link (which
    // never replaces either) and then the old name removed.
    SystemError moveToFreeName(const QString &from, const QString &to) override {
        const QByteArray source = QFile::encodeName(from);
        const QByteArray target = QFile::encodeName(to);
        if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                        RENAME_NOREPLACE) == 0) {
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            return errno;
        }
        if (::link(source.constData(), target.constData()) != 0) {
            return errno == EPERM || errno == EOPNOTSUPP ? kNoMoveWithoutReplacing : errno;
        }
        ::unlink(source.constData());
        return 0;
    }

    SystemError remove(const QString &path) override {
        return ::unlink(QFile::encodeName(path).constData()) != 0 ? errno : 0;
    }
};

}  // namespace

FileCalls &SystemFileCalls() {
    static PosixFileCalls calls;
    return calls;
}

}  // namespace bis
