#include "support/FaultDisk.h"

#include <algorithm>

namespace bis::testing {

namespace {

std::string FolderOfKey(const std::string &path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

std::string FaultDisk::Key(std::string_view path) {
    std::string key(path);
    std::replace(key.begin(), key.end(), '\\', '/');
    while (key.size() > 1 && key.back() == '/') {
        key.pop_back();
    }
    if (key.size() > 2 && key.substr(key.size() - 2) == "/.") {
        key.resize(key.size() - 2);
    }
    return key;
}

std::optional<FaultDisk::Inode> FaultDisk::Find(const std::string &path) const {
    const auto entry = entries_.find(path);
    return entry == entries_.end() ? std::nullopt : std::optional<Inode>(entry->second);
}

FaultDisk::Inode FaultDisk::Create(const std::string &path) {
    const Inode file = next_++;
    files_[file];
    entries_[path] = file;
    Changed(FolderOfKey(path), {path, {}, file});
    return file;
}

void FaultDisk::Move(const std::string &from, const std::string &to, bool writeThrough) {
    const Inode file = entries_.at(from);
    entries_.erase(from);
    entries_[to] = file;
    if (writeThrough) {
        durableEntries_.erase(from);
        durableEntries_[to] = file;
        changed();
    } else {
        Changed(FolderOfKey(to), {from, to, file});
    }
}

void FaultDisk::Link(const std::string &from, const std::string &to) {
    const Inode file = entries_.at(from);
    entries_[to] = file;
    Changed(FolderOfKey(to), {to, {}, file});
}

void FaultDisk::Unlink(const std::string &path) {
    entries_.erase(path);
    Changed(FolderOfKey(path), {path, {}, std::nullopt});
}

void FaultDisk::Write(Inode file, std::uint64_t at, std::string_view bytes) {
    File &f = files_.at(file);
    f.pending.push_back({at, std::string(bytes), false});
    Apply(f.current, f.pending.back());
    changed();
}

void FaultDisk::Truncate(Inode file, std::uint64_t length) {
    File &f = files_.at(file);
    f.pending.push_back({length, {}, true});
    Apply(f.current, f.pending.back());
    changed();
}

void FaultDisk::FlushFile(Inode file) {
    File &f = files_.at(file);
    f.durable = f.current;
    f.pending.clear();
    changed();
}

void FaultDisk::FlushFolder(const std::string &folder) {
    for (const Entry &entry : pendingEntries_[folder]) {
        if (!entry.to.empty()) {
            durableEntries_.erase(entry.name);
            durableEntries_[entry.to] = *entry.file;
        } else if (entry.file) {
            durableEntries_[entry.name] = *entry.file;
        } else {
            durableEntries_.erase(entry.name);
        }
    }
    pendingEntries_.erase(folder);
    changed();
}

const std::string &FaultDisk::Bytes(Inode file) const {
    return files_.at(file).current;
}

int FaultDisk::Links(Inode file) const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [&](const auto &entry) { return entry.second == file; }));
}

DiskFiles FaultDisk::Files() const {
    DiskFiles files;
    for (const auto &[path, file] : entries_) {
        files[path] = files_.at(file).current;
    }
    return files;
}

void FaultDisk::Apply(std::string &bytes, const Change &change) {
    if (change.cut) {
        bytes.resize(change.at);
        return;
    }
    if (bytes.size() < change.at + change.bytes.size()) {
        bytes.resize(change.at + change.bytes.size(), '\0');
    }
    bytes.replace(change.at, change.bytes.size(), change.bytes);
}

void FaultDisk::Changed(const std::string &folder, Entry entry) {
    pendingEntries_[folder].push_back(std::move(entry));
    changed();
}

std::vector<CrashState> FaultDisk::CrashStates(std::mt19937 &random) const {
    // Which unflushed changes of the folders are kept: each subset of a folder's changes, every
    // folder with every other, up to 32 combinations, beyond that none, all and a random few.
    std::vector<std::vector<bool>> pending;
    for (const auto &[folder, entries] : pendingEntries_) {
        pending.emplace_back(entries.size());
    }
    std::size_t combinations = 1;
    for (const auto &folder : pending) {
        combinations *= folder.size() < 6 ? std::size_t{1} << folder.size() : 64;
    }
    std::vector<std::vector<std::vector<bool>>> keptSets;
    for (std::size_t n = 0; n < std::min<std::size_t>(combinations, 32); ++n) {
        std::vector<std::vector<bool>> kept = pending;
        std::size_t bits = combinations <= 32 ? n : random();
        if (combinations > 32 && n < 2) {
            bits = n == 0 ? 0 : ~std::size_t{0};
        }
        for (auto &folder : kept) {
            for (std::size_t i = 0; i < folder.size(); ++i) {
                folder[i] = ((bits >> (i % 60)) & 1) != 0;
            }
            bits >>= std::min<std::size_t>(folder.size(), 60);
        }
        keptSets.push_back(std::move(kept));
    }

    enum class Kind { All, None, Torn, Zeroed, Garbled, SomeLost };
    const std::pair<Kind, const char *> kinds[] = {
        {Kind::All, "every write kept"},      {Kind::None, "every write lost"},
        {Kind::Torn, "a torn write"},         {Kind::Torn, "a torn write"},
        {Kind::Zeroed, "writes zeroed"},      {Kind::Garbled, "a garbled write"},
        {Kind::SomeLost, "some writes lost"},
    };
    const auto variant = [&](const File &file, Kind kind) {
        std::string bytes = file.durable;
        const std::size_t count = file.pending.size();
        const std::size_t torn = count == 0 ? 0 : random() % count;
        const std::size_t garbled = count == 0 ? 0 : random() % count;
        for (std::size_t i = 0; i < count; ++i) {
            Change change = file.pending[i];
            if (kind == Kind::None || (kind == Kind::Torn && i > torn)) {
                break;
            }
            if (kind == Kind::Torn && i == torn) {
                if (change.cut) {
                    break;
                }
                change.bytes.resize(random() % (change.bytes.size() + 1));
            }
            if (!change.cut && (kind == Kind::Zeroed || (kind == Kind::SomeLost && random() % 2))) {
                change.bytes.assign(change.bytes.size(), '\0');
            }
            if (kind == Kind::Garbled && i == garbled && !change.bytes.empty()) {
                change.bytes[random() % change.bytes.size()] ^=
                    static_cast<char>(1 + random() % 255);
            }
            Apply(bytes, change);
        }
        return bytes;
    };

    std::vector<CrashState> states;
    for (const auto &kept : keptSets) {
        std::map<std::string, Inode> entries = durableEntries_;
        std::string what = "folders:";
        std::size_t folder = 0;
        for (const auto &[name, changes] : pendingEntries_) {
            for (std::size_t i = 0; i < changes.size(); ++i) {
                if (!kept[folder][i]) {
                    continue;
                }
                const Entry &entry = changes[i];
                what += " " + (entry.to.empty() ? entry.name : entry.name + ">" + entry.to) +
                        (entry.file ? "" : " removed");
                if (!entry.to.empty()) {
                    if (entries.erase(entry.name) != 0) {
                        entries[entry.to] = *entry.file;
                    }
                } else if (entry.file) {
                    entries[entry.name] = *entry.file;
                } else {
                    entries.erase(entry.name);
                }
            }
            ++folder;
        }
        for (const auto &[kind, name] : kinds) {
            CrashState state{what + "; " + name, {}};
            for (const auto &[path, file] : entries) {
                state.files[path] = variant(files_.at(file), kind);
            }
            states.push_back(std::move(state));
        }
    }
    return states;
}

}  // namespace bis::testing
