#include "platform/FileCallsPosix.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstdio>

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

// fsync, where EINVAL means the file cannot be synchronised (a pipe, or a folder on a file system
// that keeps no such thing): nothing to wait for.
SystemError Synchronised(const PosixSystemCalls &sys, int fd) {
    return sys.fsync(fd) != 0 && errno != EINVAL ? errno : 0;
}

// An open file descriptor, closed when it goes.
class PosixFile : public OpenFile {
  public:
    PosixFile(const PosixSystemCalls &sys, int fd) : sys_(sys), fd_(fd) {}
    ~PosixFile() override {
        if (fd_ >= 0) {
            sys_.close(fd_);
        }
    }
    PosixFile(const PosixFile &) = delete;
    PosixFile &operator=(const PosixFile &) = delete;

    SystemError readAt(std::uint64_t offset, char *buffer, std::size_t size,
                       std::size_t &count) override {
        return Moved([&] { return sys_.pread(fd_, buffer, size, static_cast<off_t>(offset)); },
                     count);
    }

    SystemError write(const char *bytes, std::size_t size, std::size_t &count) override {
        return Moved([&] { return sys_.write(fd_, bytes, size); }, count);
    }

    SystemError flush() override { return Synchronised(sys_, fd_); }

    // A file open to append writes at its end, wherever that now is.
    SystemError truncate(std::uint64_t length) override {
        return sys_.ftruncate(fd_, static_cast<off_t>(length)) != 0 ? errno : 0;
    }

    // Still linked, and under the path: the same device and inode.
    bool isAt(const QString &path) override {
        struct stat open = {};
        struct stat named = {};
        return sys_.fstat(fd_, &open) == 0 && open.st_nlink > 0 &&
               sys_.stat(QFile::encodeName(path).constData(), &named) == 0 &&
               named.st_dev == open.st_dev && named.st_ino == open.st_ino;
    }

    // flock rather than a record lock of fcntl: it belongs to this open file alone, so closing
    // another descriptor of the same file (a read of the journal) does not let it go, and two open
    // files of one program conflict as those of two programs do.
    SystemError lock() override {
        int result = 0;
        do {
            result = sys_.flock(fd_, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        return result != 0 ? errno : 0;
    }

    SystemError close() override {
        const int result = sys_.close(fd_);
        fd_ = -1;
        return result != 0 ? errno : 0;
    }

  private:
    const PosixSystemCalls &sys_;
    int fd_;
};

class PosixFileCalls : public FileCalls {
  public:
    explicit PosixFileCalls(const PosixSystemCalls &sys) : sys_(sys) {}

    SystemErrorNumbers errorNumbers() const override {
        return {ENOENT, EEXIST, EFBIG, EIO, EWOULDBLOCK};
    }

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
        struct stat status = {};
        return sys_.lstat(QFile::encodeName(path).constData(), &status) == 0;
    }

    SystemError openToRead(const QString &path, std::unique_ptr<OpenFile> &file,
                           std::int64_t &size) override {
        return OpenPlainFile(path, 0, file, size);
    }

    SystemError openToLock(const QString &path, std::unique_ptr<OpenFile> &file) override {
        std::int64_t size = 0;
        return OpenPlainFile(path, O_NOFOLLOW, file, size);
    }

    SystemError createNew(const QString &path, FileAccess access,
                          std::unique_ptr<OpenFile> &file) override {
        const bool own = access == FileAccess::Private;
        const int fd =
            sys_.open(QFile::encodeName(path).constData(),
                      (own ? O_RDWR | O_APPEND : O_WRONLY) | O_CREAT | O_EXCL | O_CLOEXEC,
                      own ? S_IRUSR | S_IWUSR : 0666);
        if (fd < 0) {
            return errno;
        }
        file = std::make_unique<PosixFile>(sys_, fd);
        return 0;
    }

    SystemError openToAppend(const QString &path, std::unique_ptr<OpenFile> &file) override {
        const int fd =
            sys_.open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CLOEXEC, 0);
        if (fd < 0) {
            return errno;
        }
        file = std::make_unique<PosixFile>(sys_, fd);
        return 0;
    }

    // A rename that refuses to replace, or where the file system lacks it, a hard link (which
    // never replaces either) and then the old name removed.
    SystemError moveToFreeName(const QString &from, const QString &to) override {
        const QByteArray source = QFile::encodeName(from);
        const QByteArray target = QFile::encodeName(to);
        if (sys_.renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                           RENAME_NOREPLACE) == 0) {
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            return errno;
        }
        if (sys_.link(source.constData(), target.constData()) != 0) {
            return errno == EPERM || errno == EOPNOTSUPP ? kNoMoveWithoutReplacing : errno;
        }
        sys_.unlink(source.constData());
        return 0;
    }

    SystemError remove(const QString &path) override {
        return sys_.unlink(QFile::encodeName(path).constData()) != 0 ? errno : 0;
    }

    // A folder its user may write in but not list (a drop box) cannot be opened to be flushed:
    // its changes are then as safe as the system keeps them unasked.
    SystemError flushFolder(const QString &folder) override {
        const int fd =
            sys_.open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
        if (fd < 0) {
            return errno == EACCES ? 0 : errno;
        }
        const SystemError error = Synchronised(sys_, fd);
        sys_.close(fd);
        return error;
    }

  private:
    // Opens a plain file on a disk to read, with the flags given added. Not blocking, so that a
    // named pipe picked by mistake cannot hang the program; it is refused below like every other
    // file that is not a plain file.
    SystemError OpenPlainFile(const QString &path, int flags, std::unique_ptr<OpenFile> &file,
                              std::int64_t &size) {
        const int fd = sys_.open(QFile::encodeName(path).constData(),
                                 O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags, 0);
        if (fd < 0) {
            return errno;
        }
        auto opened = std::make_unique<PosixFile>(sys_, fd);
        struct stat status = {};
        if (sys_.fstat(fd, &status) != 0) {
            return errno;
        }
        if (!S_ISREG(status.st_mode)) {
            return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        }
        size = status.st_size;
        file = std::move(opened);
        return 0;
    }

    const PosixSystemCalls &sys_;
};

}  // namespace

const PosixSystemCalls &RealPosixSystemCalls() {
    static const PosixSystemCalls calls{
        [](const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::close,
        ::pread,
        ::write,
        ::fsync,
        ::ftruncate,
        [](int fd, struct stat *status) { return ::fstat(fd, status); },
        [](const char *path, struct stat *status) { return ::stat(path, status); },
        [](const char *path, struct stat *status) { return ::lstat(path, status); },
        ::renameat2,
        ::link,
        ::unlink,
        ::flock,
    };
    return calls;
}

std::unique_ptr<FileCalls> PosixFileCallsOn(const PosixSystemCalls &calls) {
    return std::make_unique<PosixFileCalls>(calls);
}

FileCalls &SystemFileCalls() {
    static PosixFileCalls calls(RealPosixSystemCalls());
    return calls;
}

}  // namespace bis
