#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "platform/JournalDisk.h"

namespace bis {

namespace {

FileFailure Failed(int error) {
    return {error == ENOENT ? FileFailureKind::NotFound : FileFailureKind::Other,
            qt_error_string(error)};
}

int Descriptor(JournalDisk::Handle file) {
    return static_cast<int>(file);
}

class PosixJournalDisk : public JournalDisk {
  public:
    FileFailure createNew(const QString &path, Handle &file) override {
        return Open(path, O_CREAT | O_EXCL, file);
    }

    FileFailure openExisting(const QString &path, Handle &file) override {
        return Open(path, 0, file);
    }

    FileFailure write(Handle file, std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(Descriptor(file), bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return Failed(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return {};
    }

    FileFailure truncate(Handle file, std::size_t length) override {
        if (::ftruncate(Descriptor(file), static_cast<off_t>(length)) != 0) {
            return Failed(errno);
        }
        return {};
    }

    FileFailure flush(Handle file) override {
        if (::fsync(Descriptor(file)) != 0) {
            return Failed(errno);
        }
        return {};
    }

    FileFailure flushFolder(const QString &folder) override {
        const int fd =
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            return Failed(errno);
        }
        const int error = ::fsync(fd) != 0 ? errno : 0;
        ::close(fd);
        return error != 0 ? Failed(error) : FileFailure{};
    }

    void close(Handle file) override { ::close(Descriptor(file)); }

  private:
    static FileFailure Open(const QString &path, int flags, Handle &file) {
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_APPEND | O_CLOEXEC | flags, S_IRUSR | S_IWUSR);
        if (fd < 0) {
            return Failed(errno);
        }
        file = fd;
        return {};
    }
};

}  // namespace

std::unique_ptr<JournalDisk> SystemJournalDisk() {
    return std::make_unique<PosixJournalDisk>();
}

}  // namespace bis
