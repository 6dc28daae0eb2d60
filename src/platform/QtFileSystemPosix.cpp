#include "platform/QtFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>

namespace bis {

namespace {

// The largest file read. A show file of the most judges the program can hold is under 2 MiB, so
// anything much larger was chosen by mistake and would only fill the memory.
constexpr off_t kMaxReadBytes = 64 * 1024 * 1024;

// The failure for a system error number.
FileFailure FailureOf(int error) {
    FileFailure failure;
    switch (error) {
        case ENOENT:
            failure.kind = FileFailure::Kind::NotFound;
            break;
        case EEXIST:
            failure.kind = FileFailure::Kind::AlreadyExists;
            break;
        case ENOMEDIUM:
            failure.kind = FileFailure::Kind::DriveNotReady;
            break;
        default:
            failure.kind = FileFailure::Kind::Other;
            break;
    }
    failure.description = qt_error_string(error);
    return failure;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }
    // Closes now; close(2) can report a write that failed late (on network file systems).
    [[nodiscard]] int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// Writes every byte, going on after a short write. 0, or the error number.
int WriteAll(int fd, const std::string &bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        written += static_cast<std::size_t>(result);
    }
    return 0;
}

// The folder part of a path, with its final slash ("" for a bare name).
QByteArray FolderOf(const QByteArray &path) {
    const auto slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray() : path.left(slash + 1);
}

// Writes the bytes into the open file, makes sure they reached the disk, and closes it. 0, or
// the error number.
int FillAndClose(Descriptor &file, const std::string &bytes) {
    int error = WriteAll(file.get(), bytes);
    // EINVAL: the file cannot be synchronised (a pipe or a special file); nothing to wait for.
    if (error == 0 && ::fsync(file.get()) != 0 && errno != EINVAL) {
        error = errno;
    }
    if (file.close() != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Creates the target exclusively and writes it in place, removing it again if the write fails.
// Used only where the file system can neither rename without replacing nor link.
int WriteInPlace(const QByteArray &target, const std::string &bytes) {
    Descriptor file(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.valid()) {
        return errno;
    }
    const int error = FillAndClose(file, bytes);
    if (error != 0) {
        ::unlink(target.constData());
    }
    return error;
}

// Moves the complete temporary file under its name without ever replacing anything there: a
// rename that refuses to replace, or where the file system lacks it, a hard link (which never
// replaces either) and then the temporary name removed. 0, the error number, or -1 when the
// file system offers neither.
int MoveIntoPlace(const QByteArray &temporary, const QByteArray &target) {
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(),
                    RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    if (::link(temporary.constData(), target.constData()) != 0) {
        return errno == EPERM || errno == EOPNOTSUPP ? -1 : errno;
    }
    ::unlink(temporary.constData());
    return 0;
}

}  // namespace

bool QtFileSystem::exists(const QString &path) {
    // lstat, so that a dangling symbolic link counts as a name that is taken.
    struct stat status {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

FileFailure QtFileSystem::readAll(const QString &path, std::string &bytes) {
    // Not blocking, so that a named pipe picked by mistake cannot hang the program; it is
    // refused below like every other file that is not a plain file.
    const Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid()) {
        return FailureOf(errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return FailureOf(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return FailureOf(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return FailureOf(EINVAL);
    }
    if (status.st_size > kMaxReadBytes) {
        return FailureOf(EFBIG);
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t result = ::read(file.get(), buffer, sizeof buffer);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailureOf(errno);
        }
        if (result == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(result));
        // The file may be growing while it is read.
        if (contents.size() > static_cast<std::size_t>(kMaxReadBytes)) {
            return FailureOf(EFBIG);
        }
    }
    bytes = std::move(contents);
    return {};
}

FileFailure QtFileSystem::createNew(const QString &path, const std::string &bytes) {
    const QByteArray target = QFile::encodeName(path);
    if (target.isEmpty()) {
        return FailureOf(ENOENT);
    }
    const QByteArray folder = FolderOf(target);

    // A fresh hidden name in the same folder, so that the final move stays on one file system.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + ".bestinshow-" +
                    QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return FailureOf(errno);
        }
    }
    if (fd < 0) {
        return FailureOf(EEXIST);
    }

    Descriptor file(fd);
    int error = FillAndClose(file, bytes);
    if (error == 0) {
        error = MoveIntoPlace(temporary, target);
    }
    if (error == -1) {
        ::unlink(temporary.constData());
        error = WriteInPlace(target, bytes);
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        return FailureOf(error);
    }
    return {};
}

FileFailure QtFileSystem::remove(const QString &path) {
    if (::unlink(QFile::encodeName(path).constData()) != 0) {
        return FailureOf(errno);
    }
    return {};
}

}  // namespace bis
