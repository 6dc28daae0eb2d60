#include "support/FaultDisk.h"

#include <algorithm>
#include <cstring>

namespace bis::testing {

std::string FaultDisk::Key(std::string_view path) {
    std::string key(path);
    std::replace(key.begin(), key.end(), '\\', '/');
    while (key.size() > 1 && (key.back() == '/' || key.ends_with("/."))) {
        key.pop_back();
    }
    return key;
}

FaultDisk::Refusal FaultDisk::Open(std::string_view path, bool create, bool exclusive, bool folder,
                                   bool append, int &number) {
    const std::string key = Key(path);
    std::optional<Inode> file = Find(key);
    if (folder ? file.has_value() : (file && exclusive)) {
        return Refusal::NameTaken;
    }
    if (!folder && !file) {
        if (!create) {
            return Refusal::NoSuchName;
        }
        file = next_++;
        files_[*file];
        entries_[key] = *file;
        Changed(key, {key, file, {}});
    }
    number = next_++;
    handles_[number] = {key, file, append, 0};
    return Refusal::None;
}

FaultDisk::Handle *FaultDisk::Opened(int number) {
    const auto handle = handles_.find(number);
    return handle == handles_.end() ? nullptr : &handle->second;
}

bool FaultDisk::Close(int number) {
    std::erase_if(locks_, [&](const auto &lock) { return lock.second == number; });
    return handles_.erase(number) != 0;
}

FaultDisk::Refusal FaultDisk::Lock(int number) {
    const Handle *handle = Opened(number);
    if (handle == nullptr || !handle->file) {
        return Refusal::NotOpen;
    }
    if (!keepsLocks) {
        return Refusal::NoLocks;
    }
    const auto [lock, taken] = locks_.emplace(*handle->file, number);
    return taken || lock->second == number ? Refusal::None : Refusal::LockHeld;
}

std::size_t FaultDisk::Read(Handle &handle, std::optional<std::uint64_t> at, void *buffer,
                            std::size_t size) {
    const std::string &bytes = files_.at(*handle.file).current;
    const std::uint64_t from = at.value_or(handle.place);
    const std::size_t count = from >= bytes.size() ? 0 : std::min(size, bytes.size() - from);
    std::memcpy(buffer, bytes.data() + from, count);
    if (!at) {
        handle.place += count;
    }
    return count;
}

void FaultDisk::Write(Handle &handle, std::string_view bytes) {
    File &file = files_.at(*handle.file);
    const std::uint64_t at = handle.append ? file.current.size() : handle.place;
    handle.place = at + bytes.size();
    Changed(file, {at, std::string(bytes), false});
}

void FaultDisk::Truncate(Inode file, std::uint64_t length) {
    Changed(files_.at(file), {length, {}, true});
}

void FaultDisk::Flush(const Handle &handle) {
    if (handle.file) {
        File &file = files_.at(*handle.file);
        file.durable = file.current;
        file.pending.clear();
    } else {
        for (const Entry &entry : pendingEntries_[handle.path]) {
            Enter(durableEntries_, entry);
        }
        pendingEntries_.erase(handle.path);
    }
    changed();
}

std::optional<FaultDisk::Inode> FaultDisk::Find(std::string_view path) const {
    const auto entry = entries_.find(Key(path));
    return entry == entries_.end() ? std::nullopt : std::optional<Inode>(entry->second);
}

FaultDisk::Refusal FaultDisk::Move(std::string_view from, std::string_view to) {
    const auto file = Find(from);
    if (!file || Find(to)) {
        return file ? Refusal::NameTaken : Refusal::NoSuchName;
    }
    entries_.erase(Key(from));
    entries_[Key(to)] = *file;
    Changed(Key(to), {Key(from), file, Key(to)});
    return Refusal::None;
}

FaultDisk::Refusal FaultDisk::Unlink(std::string_view path) {
    if (entries_.erase(Key(path)) == 0) {
        return Refusal::NoSuchName;
    }
    Changed(Key(path), {Key(path), std::nullopt, {}});
    return Refusal::None;
}

std::uint64_t FaultDisk::Size(Inode file) const {
    return files_.at(file).current.size();
}

int FaultDisk::Links(Inode file) const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [&](const auto &entry) { return entry.second == file; }));
}

void FaultDisk::Apply(std::string &bytes, const Change &change) {
    if (change.cut) {
        bytes.resize(change.at);
        return;
    }
    bytes.resize(std::max<std::size_t>(bytes.size(), change.at + change.bytes.size()), '\0');
    bytes.replace(change.at, change.bytes.size(), change.bytes);
}

void FaultDisk::Enter(std::map<std::string, Inode> &entries, const Entry &entry) {
    entries.erase(entry.name);
    if (entry.file) {
        entries[entry.to.empty() ? entry.name : entry.to] = *entry.file;
    }
}

void FaultDisk::Changed(File &file, Change change) {
    Apply(file.current, change);
    file.pending.push_back(std::move(change));
    changed();
}

void FaultDisk::Changed(const std::string &name, Entry entry) {
    const auto slash = name.rfind('/');
    pendingEntries_[slash == std::string::npos ? "." : name.substr(0, slash)].push_back(
        std::move(entry));
    changed();
}

std::vector<CrashState> FaultDisk::CrashStates(std::mt19937 &random) const {
    // Which unflushed changes of the folders a cut keeps: every subset of up to four of them,
    // else none, all and a few at random.
    std::vector<const Entry *> pending;
    for (const auto &folder : pendingEntries_) {
        for (const Entry &entry : folder.second) {
            pending.push_back(&entry);
        }
    }
    std::vector<std::uint64_t> keptSets;
    if (pending.size() <= 4) {
        for (std::uint64_t set = 0; set < (std::uint64_t{1} << pending.size()); ++set) {
            keptSets.push_back(set);
        }
    } else {
        keptSets = {0, ~std::uint64_t{0}, random(), random(), random(), random()};
    }

    enum class Kind { Kept, Lost, Torn, Zeroed, Garbled, SomeLost };
    const std::pair<Kind, const char *> kinds[] = {
        {Kind::Kept, "writes kept"},          {Kind::Lost, "writes lost"},
        {Kind::Torn, "a write torn"},         {Kind::Torn, "a write torn"},
        {Kind::Zeroed, "writes zeroed"},      {Kind::Garbled, "a write garbled"},
        {Kind::SomeLost, "some writes lost"},
    };
    // The file as a cut of that kind leaves it.
    const auto after = [&](const File &file, Kind kind) {
        std::string bytes = file.durable;
        const std::size_t count = kind == Kind::Lost ? 0 : file.pending.size();
        const std::size_t chosen = count == 0 ? 0 : random() % count;
        for (std::size_t i = 0; i < count && !(kind == Kind::Torn && i > chosen); ++i) {
            Change change = file.pending[i];
            if (kind == Kind::Torn && i == chosen) {
                if (change.cut) {
                    break;
                }
                change.bytes.resize(random() % (change.bytes.size() + 1));
            }
            if (kind == Kind::Zeroed || (kind == Kind::SomeLost && random() % 2 != 0)) {
                change.bytes.assign(change.bytes.size(), '\0');
            }
            if (kind == Kind::Garbled && i == chosen && !change.bytes.empty()) {
                change.bytes[random() % change.bytes.size()] ^=
                    static_cast<char>(1 + random() % 255);
            }
            Apply(bytes, change);
        }
        return bytes;
    };

    std::vector<CrashState> states;
    for (const std::uint64_t kept : keptSets) {
        std::map<std::string, Inode> entries = durableEntries_;
        std::string what = "kept:";
        for (std::size_t i = 0; i < pending.size(); ++i) {
            const Entry &entry = *pending[i];
            if ((kept >> (i % 64) & 1) == 0 ||
                (!entry.to.empty() && entries.count(entry.name) == 0)) {
                continue;
            }
            what += " " + entry.name + (entry.to.empty() ? "" : ">" + entry.to) +
                    (entry.file ? "" : " removed");
            Enter(entries, entry);
        }
        for (const auto &[kind, name] : kinds) {
            CrashState state{what + "; " + name, {}};
            for (const auto &[path, file] : entries) {
                state.files[path] = after(files_.at(file), kind);
            }
            states.push_back(std::move(state));
        }
    }
    return states;
}

}  // namespace bis::testing
