// The Linux file layer's system calls, answered by a FaultDisk.
#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/FileCallsPosix.h"
#include "support/FaultDisk.h"

namespace bis::testing {

namespace {

FaultDisk *disk = nullptr;

struct Descriptor {
    std::string path;
    std::optional<FaultDisk::Inode> file;  // nothing for a folder
    bool append = false;
    std::uint64_t place = 0;
};

std::map<int, Descriptor> descriptors;
int nextDescriptor = 1000;

int Failed(int error) {
    errno = error;
    return -1;
}

Descriptor *Find(int fd) {
    const auto found = descriptors.find(fd);
    return found == descriptors.end() ? nullptr : &found->second;
}

int Open(const char *path, int flags, mode_t) {
    const std::string key = FaultDisk::Key(path);
    std::optional<FaultDisk::Inode> file = disk->Find(key);
    if ((flags & O_DIRECTORY) != 0) {
        if (file) {
            return Failed(ENOTDIR);
        }
        descriptors[nextDescriptor] = {key, std::nullopt};
        return nextDescriptor++;
    }
    if (file && (flags & O_CREAT) != 0 && (flags & O_EXCL) != 0) {
        return Failed(EEXIST);
    }
    if (!file && (flags & O_CREAT) == 0) {
        return Failed(ENOENT);
    }
    if (!file) {
        file = disk->Create(key);
    }
    descriptors[nextDescriptor] = {key, file, (flags & O_APPEND) != 0};
    return nextDescriptor++;
}

int Close(int fd) {
    return descriptors.erase(fd) != 0 ? 0 : Failed(EBADF);
}

ssize_t ReadAt(Descriptor &d, void *buffer, std::size_t size, std::uint64_t at) {
    const std::string &bytes = disk->Bytes(*d.file);
    const std::size_t count = at >= bytes.size() ? 0 : std::min(size, bytes.size() - at);
    std::memcpy(buffer, bytes.data() + at, count);
    return static_cast<ssize_t>(count);
}

ssize_t Read(int fd, void *buffer, std::size_t size) {
    Descriptor *d = Find(fd);
    if (d == nullptr || !d->file) {
        return Failed(EBADF);
    }
    const ssize_t count = ReadAt(*d, buffer, size, d->place);
    d->place += static_cast<std::uint64_t>(count);
    return count;
}

ssize_t Pread(int fd, void *buffer, std::size_t size, off_t offset) {
    Descriptor *d = Find(fd);
    return d == nullptr || !d->file ? Failed(EBADF)
                                    : ReadAt(*d, buffer, size, static_cast<std::uint64_t>(offset));
}

ssize_t Write(int fd, const void *bytes, std::size_t size) {
    Descriptor *d = Find(fd);
    if (d == nullptr || !d->file) {
        return Failed(EBADF);
    }
    const std::uint64_t at = d->append ? disk->Bytes(*d->file).size() : d->place;
    disk->Write(*d->file, at, std::string_view(static_cast<const char *>(bytes), size));
    d->place = at + size;
    return static_cast<ssize_t>(size);
}

int Fsync(int fd) {
    Descriptor *d = Find(fd);
    if (d == nullptr) {
        return Failed(EBADF);
    }
    if (d->file) {
        disk->FlushFile(*d->file);
    } else {
        disk->FlushFolder(d->path);
    }
    return 0;
}

int Ftruncate(int fd, off_t length) {
    Descriptor *d = Find(fd);
    if (d == nullptr || !d->file) {
        return Failed(EBADF);
    }
    disk->Truncate(*d->file, static_cast<std::uint64_t>(length));
    return 0;
}

void Describe(std::optional<FaultDisk::Inode> file, struct stat *status) {
    *status = {};
    status->st_dev = 1;
    if (!file) {
        status->st_mode = S_IFDIR | 0700;
        return;
    }
    status->st_mode = S_IFREG | 0600;
    status->st_ino = static_cast<ino_t>(*file);
    status->st_nlink = static_cast<nlink_t>(disk->Links(*file));
    status->st_size = static_cast<off_t>(disk->Bytes(*file).size());
}

int Fstat(int fd, struct stat *status) {
    Descriptor *d = Find(fd);
    if (d == nullptr) {
        return Failed(EBADF);
    }
    Describe(d->file, status);
    return 0;
}

int Stat(const char *path, struct stat *status) {
    const auto file = disk->Find(FaultDisk::Key(path));
    if (!file) {
        return Failed(ENOENT);
    }
    Describe(file, status);
    return 0;
}

int Rename(int, const char *from, int, const char *to, unsigned int) {
    const std::string source = FaultDisk::Key(from);
    const std::string target = FaultDisk::Key(to);
    if (!disk->Find(source)) {
        return Failed(ENOENT);
    }
    if (disk->Find(target)) {
        return Failed(EEXIST);
    }
    disk->Move(source, target);
    return 0;
}

int Link(const char *from, const char *to) {
    if (!disk->Find(FaultDisk::Key(from))) {
        return Failed(ENOENT);
    }
    if (disk->Find(FaultDisk::Key(to))) {
        return Failed(EEXIST);
    }
    disk->Link(FaultDisk::Key(from), FaultDisk::Key(to));
    return 0;
}

int Unlink(const char *path) {
    if (!disk->Find(FaultDisk::Key(path))) {
        return Failed(ENOENT);
    }
    disk->Unlink(FaultDisk::Key(path));
    return 0;
}

const PosixSystemCalls kCalls{Open,  Close, Read, Pread,  Write, Fsync, Ftruncate,
                              Fstat, Stat,  Stat, Rename, Link,  Unlink};

}  // namespace

std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &faultDisk) {
    disk = &faultDisk;
    descriptors.clear();
    return PosixFileCallsOn(kCalls);
}

}  // namespace bis::testing
