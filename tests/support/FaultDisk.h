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

// A disk in memory that knows what reached it, as LevelDB's fault-injection test keeps one: each
// file's flushed bytes and the writes and cuts since, and each folder's flushed entries and the
// files created, moved and removed there since. Its crash states are every kind of state a power
// cut could leave now: the unflushed changes of the files kept, lost, torn, zeroed or garbled, and
// each unflushed change of a folder kept or lost (a move whole or not at all).
class FaultDisk {
  public:
    using Inode = int;

    // Called after every change the disk takes: a write, a cut, a flush, a change of a folder.
    std::function<void()> changed = [] {};

    // A path as the disk keeps it: forward slashes, no separator at the end.
    [[nodiscard]] static std::string Key(std::string_view path);

    [[nodiscard]] std::optional<Inode> Find(const std::string &path) const;
    // Makes an empty file under a free name.
    Inode Create(const std::string &path);
    // Gives the file under `from` the free name `to`; with writeThrough the move is on the disk
    // at once.
    void Move(const std::string &from, const std::string &to, bool writeThrough = false);
    void Link(const std::string &from, const std::string &to);
    void Unlink(const std::string &path);
    void Write(Inode file, std::uint64_t at, std::string_view bytes);
    void Truncate(Inode file, std::uint64_t length);
    void FlushFile(Inode file);
    void FlushFolder(const std::string &folder);
    [[nodiscard]] const std::string &Bytes(Inode file) const;
    [[nodiscard]] int Links(Inode file) const;

    // The files as they stand.
    [[nodiscard]] DiskFiles Files() const;
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
    // A change of a folder's entries not yet flushed: a name added or removed, or a move.
    struct Entry {
        std::string name;
        std::string to;             // a move's new name; empty for an addition or a removal
        std::optional<Inode> file;  // the file added; nothing for a removal
    };

    static void Apply(std::string &bytes, const Change &change);
    void Changed(const std::string &folder, Entry entry);

    std::map<Inode, File> files_;
    std::map<std::string, Inode> entries_;
    std::map<std::string, Inode> durableEntries_;
    std::map<std::string, std::vector<Entry>> pendingEntries_;  // by folder
    Inode next_ = 1;
};

// The program's own file layer for this system, its system calls answered by the disk: what the
// program runs, but on a disk that knows which of its writes a power cut would keep. One disk at a
// time.
[[nodiscard]] std::unique_ptr<FileCalls> SystemLayerOn(FaultDisk &disk);

}  // namespace bis::testing
