#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileCalls.h"

namespace bis::testing {

// The files a disk holds: each path and its bytes.
using DiskFiles = std::map<std::string, std::string>;

// One state a power cut could leave: what it is, and the files.
struct CrashState {
    std::string what;
    DiskFiles files;
};

// A disk in memory that knows what reached it, as a fault-injection test keeps one: each
// file's flushed bytes and the writes and cuts since, and each folder's flushed entries and the
// files created, moved and removed there since (a move that writes through included: it too is
// pending until its folder is flushed). It keeps the files' locks, one open file each, unless it
// is told to keep none, as some network shares. Its crash states are every kind of state a power
// cut could leave now: the unflushed changes of the files kept, lost, torn, zeroed or garbled, and
// the unflushed changes of the folders kept or lost (a move whole or not at all). Files and
// folders are opened by number, as both systems' calls do.
class FaultDisk {
  public:
    using Inode = int;
    enum class Refusal { None, NameTaken, NoSuchName, NotOpen, LockHeld, NoLocks };
    // An open file, or folder (no file).
    struct Handle {
        std::string path;
        std::optional<Inode> file;
        bool append = false;
        std::uint64_t place = 0;
    };

    // Called after every change the disk takes: a write, a cut, a flush, a change of a folder.
    std::function<void()> changed = [] {};
    // Whether the disk keeps the files' locks; when not, every lock is refused.
    bool keepsLocks = true;

    // A path as the disk keeps it: forward slashes, no separator at the end.
    [[nodiscard]] static std::string Key(std::string_view path);

    // Opens the file under the path, made when missing if create, refused when there if
    // exclusive; or, as a folder, a path that names no file.
    Refusal Open(std::string_view path, bool create, bool exclusive, bool folder, bool append,
                 int &number);
    [[nodiscard]] Handle *Opened(int number);
    bool Close(int number);
    // Reads from the place given, or from the handle's place, which moves on.
    std::size_t Read(Handle &handle, std::optional<std::uint64_t> at, void *buffer,
                     std::size_t size);
    // Writes at the handle's place, or at the end of a file opened to append.
    void Write(Handle &handle, std::string_view bytes);
    void Truncate(Inode file, std::uint64_t length);
    void Flush(const Handle &handle);
    [[nodiscard]] std::optional<Inode> Find(std::string_view path) const;
    Refusal Move(std::string_view from, std::string_view to);
    // Locks the file open under the number, unless another open file holds its lock; closing
    // the file lets go of it.
    Refusal Lock(int number);
    Refusal Unlink(std::string_view path);
    [[nodiscard]] std::uint64_t Size(Inode file) const;
    [[nodiscard]] int Links(Inode file) const;

    // Every kind of state a power cut now could leave.
    [[nodiscard]] std::vector<CrashState> CrashStates(std::mt19937 &random) const;

  private:
    // A write of bytes at a place, or a cut to a length.
    struct Change {
        std::uint64_t at = 0;
        std::string bytes;
        bool cut = false;
    };
    struct File {
        std::string durable;
        std::vector<Change> pending;
        std::string current;
    };
    // A change of a folder's entries not yet flushed: a name given a file, or taken away (no
    // file), or a move to another name.
    struct Entry {
        std::string name;
        std::optional<Inode> file;
        std::string to;
    };

    static void Apply(std::string &bytes, const Change &change);
    // Makes the folder change in the entries.
    static void Enter(std::map<std::string, Inode> &entries, const Entry &entry);
    void Changed(File &file, Change change);
    void Changed(const std::string &name, Entry entry);

    std::map<Inode, File> files_;
    std::map<std::string, Inode> entries_;
    std::map<std::string, Inode> durableEntries_;
    std::map<std::string, std::vector<Entry>> pendingEntries_;  // by folder
    std::map<int, Handle> handles_;
    std::map<Inode, int> locks_;  // the open file holding each file's lock
    int next_ = 1000;
};

// The program's own file layer for this system, its system calls answered by the disk: what the
// program runs, but on a disk that knows which of its writes a power cut would keep. One disk at a
// time.
[[nodiscard]] std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &disk);

}  // namespace bis::testing
