#pragma once

#include "platform/QtPlatformOnly.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <memory>

#include "platform/FileCalls.h"

namespace bis {

// The system calls the Linux file layer makes, one pointer each. The program uses the real ones;
// the crash tests put a disk of their own under the real layer, one that knows which writes and
// which changes of a folder were flushed, so that a layer that skips a flush fails them.
struct PosixSystemCalls {
    int (*open)(const char *path, int flags, mode_t mode);
    int (*close)(int fd);
    ssize_t (*pread)(int fd, void *buffer, std::size_t size, off_t offset);
    ssize_t (*write)(int fd, const void *bytes, std::size_t size);
    int (*fsync)(int fd);
    int (*ftruncate)(int fd, off_t length);
    int (*fstat)(int fd, struct stat *status);
    int (*stat)(const char *path, struct stat *status);
    int (*lstat)(const char *path, struct stat *status);
    int (*renameat2)(int fromFolder, const char *from, int toFolder, const char *to,
                     unsigned int flags);
    int (*link)(const char *from, const char *to);
    int (*unlink)(const char *path);
    int (*flock)(int fd, int operation);
};

// The calls of the running system.
[[nodiscard]] const PosixSystemCalls &RealPosixSystemCalls();

// The file layer on the given calls, which must outlive it. SystemFileCalls() is this layer on the
// real calls.
[[nodiscard]] std::unique_ptr<FileCalls> PosixFileCallsOn(const PosixSystemCalls &calls);

}  // namespace bis
