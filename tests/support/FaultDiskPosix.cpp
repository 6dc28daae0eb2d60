// The Linux file layer's system calls, answered by a FaultDisk.
#include <fcntl.h>

#include <cerrno>

#include "platform/FileCallsPosix.h"
#include "support/FaultDisk.h"

namespace bis::testing {

namespace {

FaultDisk *disk = nullptr;

// -1 with errno for a refusal, else the result.
int Result(FaultDisk::Refusal refusal, int result = 0) {
    using Refusal = FaultDisk::Refusal;
    errno = refusal == Refusal::NameTaken    ? EEXIST
            : refusal == Refusal::NoSuchName ? ENOENT
            : refusal == Refusal::LockHeld   ? EWOULDBLOCK
            : refusal == Refusal::NoLocks    ? ENOLCK
                                             : EBADF;
    return refusal == Refusal::None ? result : -1;
}

// The open file of the number, or nothing with errno EBADF.
FaultDisk::Handle *File(int fd) {
    FaultDisk::Handle *handle = disk->Opened(fd);
    errno = EBADF;
    return handle != nullptr && handle->file ? handle : nullptr;
}

void Describe(std::optional<FaultDisk::Inode> file, struct stat *status) {
    *status = {};
    status->st_dev = 1;
    status->st_mode = file ? S_IFREG | 0600 : S_IFDIR | 0700;
    if (file) {
        status->st_ino = static_cast<ino_t>(*file);
        status->st_nlink = static_cast<nlink_t>(disk->Links(*file));
        status->st_size = static_cast<off_t>(disk->Size(*file));
    }
}

int Stat(const char *path, struct stat *status) {
    const auto file = disk->Find(path);
    if (file) {
        Describe(file, status);
    }
    return Result(file ? FaultDisk::Refusal::None : FaultDisk::Refusal::NoSuchName);
}

const PosixSystemCalls kCalls{
    [](const char *path, int flags, mode_t) {
        int fd = -1;
        const FaultDisk::Refusal refusal =
            disk->Open(path, (flags & O_CREAT) != 0, (flags & O_EXCL) != 0,
                       (flags & O_DIRECTORY) != 0, (flags & O_APPEND) != 0, fd);
        return Result(refusal, fd);
    },
    [](int fd) { return disk->Close(fd) ? 0 : Result(FaultDisk::Refusal::NotOpen); },
    [](int fd, void *buffer, std::size_t size, off_t at) -> ssize_t {
        FaultDisk::Handle *h = File(fd);
        return h == nullptr ? -1
                            : static_cast<ssize_t>(
                                  disk->Read(*h, static_cast<std::uint64_t>(at), buffer, size));
    },
    [](int fd, const void *bytes, std::size_t size) -> ssize_t {
        FaultDisk::Handle *h = File(fd);
        if (h == nullptr) {
            return -1;
        }
        disk->Write(*h, std::string_view(static_cast<const char *>(bytes), size));
        return static_cast<ssize_t>(size);
    },
    [](int fd) {
        FaultDisk::Handle *h = disk->Opened(fd);
        if (h != nullptr) {
            disk->Flush(*h);
        }
        return Result(h != nullptr ? FaultDisk::Refusal::None : FaultDisk::Refusal::NotOpen);
    },
    [](int fd, off_t length) {
        FaultDisk::Handle *h = File(fd);
        if (h != nullptr) {
            disk->Truncate(*h->file, static_cast<std::uint64_t>(length));
        }
        return h != nullptr ? 0 : -1;
    },
    [](int fd, struct stat *status) {
        FaultDisk::Handle *h = disk->Opened(fd);
        if (h != nullptr) {
            Describe(h->file, status);
        }
        return Result(h != nullptr ? FaultDisk::Refusal::None : FaultDisk::Refusal::NotOpen);
    },
    Stat,
    Stat,
    [](int, const char *from, int, const char *to, unsigned int) {
        return Result(disk->Move(from, to));
    },
    // The layer links only where the system has no rename that refuses to replace; this one has.
    [](const char *, const char *) {
        errno = ENOSYS;
        return -1;
    },
    [](const char *path) { return Result(disk->Unlink(path)); },
    [](int fd, int) { return Result(disk->Lock(fd)); },
};

}  // namespace

std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &faultDisk) {
    disk = &faultDisk;
    return PosixFileCallsOn(kCalls);
}

}  // namespace bis::testing
