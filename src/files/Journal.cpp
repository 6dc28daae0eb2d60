#include "files/Journal.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "app/EntryChecks.h"

namespace bis {

namespace {

constexpr std::string_view kMagic = "BISJOURN";
// The magic, the format version, the id, the set-up record's length and the header's own check.
constexpr std::size_t kHeaderSize = 8 + 4 + 16 + 4 + 4;
constexpr std::size_t kIdAt = 12;
constexpr std::size_t kSetUpLengthAt = 28;
// Each record's length and check stand before its contents.
constexpr std::size_t kFrameSize = 4 + 4;

enum class RecordType : std::uint8_t {
    Begin = 1,
    Score = 2,
    NextJudge = 3,
    Tabulated = 4,
    Saving = 5,
    Closed = 6,
    PreviousJudge = 7,
    RemoveJudge = 8,
};

// The longest a text's bytes can be and its characters still fit a set-up box: UTF-8 takes up to
// four bytes a character.
constexpr std::size_t kMaxShowTextBytes = 4 * kMaxShowTextCharacters;
// The most any whole record of the program's can hold: the set-up with three texts at their
// longest.
constexpr std::size_t kMaxRecordSize = 1 + 3 * (4 + kMaxShowTextBytes) + 2 + 2 * kCategoryCount;
// The most bytes of records the search for a whole record after a bad one checks; past it, what
// follows the bad record counts as damage. It keeps a start quick whatever a file holds.
constexpr std::size_t kSearchBudget = std::size_t{1} << 20;

// ---- Writing -----------------------------------------------------------------------------------

void PutUnsigned(std::string &out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutU32(std::string &out, std::uint32_t value) {
    PutUnsigned(out, value, 4);
}

void PutI16(std::string &out, std::int16_t value) {
    PutUnsigned(out, static_cast<std::uint16_t>(value), 2);
}

void PutText(std::string &out, std::string_view text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

std::string Type(RecordType type) {
    return std::string(1, static_cast<char>(type));
}

std::string Contents(const JournalBegin &begin) {
    std::string out = Type(RecordType::Begin);
    PutText(out, begin.clubName);
    PutText(out, begin.showLocation);
    PutText(out, begin.showDate);
    PutI16(out, begin.numJudges);
    for (const std::int16_t blooms : begin.blooms) {
        PutI16(out, blooms);
    }
    return out;
}

std::string Contents(const JournalScore &score) {
    std::string out = Type(RecordType::Score);
    PutI16(out, score.category);
    out.push_back(score.separator);
    PutText(out, score.text);
    return out;
}

std::string Contents(const JournalNextJudge &) {
    return Type(RecordType::NextJudge);
}

std::string Contents(const JournalPreviousJudge &) {
    return Type(RecordType::PreviousJudge);
}

std::string Contents(const JournalRemoveJudge &) {
    return Type(RecordType::RemoveJudge);
}

std::string Contents(const JournalTabulated &) {
    return Type(RecordType::Tabulated);
}

std::string Contents(const JournalSaving &saving) {
    std::string out = Type(RecordType::Saving);
    PutText(out, saving.path);
    PutUnsigned(out, saving.size, 8);
    PutU32(out, saving.crc);
    return out;
}

std::string Contents(const JournalClosed &) {
    return Type(RecordType::Closed);
}

std::string_view IdBytes(const JournalId &id) {
    return {reinterpret_cast<const char *>(id.data()), id.size()};
}

// ---- Reading -----------------------------------------------------------------------------------

// Takes fields one after another from a record's contents; any field that runs past the end
// marks the whole record bad.
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t Unsigned(std::size_t size) {
        if (!good_ || bytes_.size() < size) {
            good_ = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[i])) << (8 * i);
        }
        bytes_.remove_prefix(size);
        return value;
    }
    std::int16_t I16() { return static_cast<std::int16_t>(Unsigned(2)); }
    // A text of the show; one longer than a set-up box holds is refused before it is copied.
    std::string Text() {
        const auto size = Unsigned(4);
        if (!good_ || size > bytes_.size()) {
            good_ = false;
            return {};
        }
        const std::string_view text = bytes_.substr(0, size);
        bytes_.remove_prefix(size);
        // The characters of UTF-8 text: every byte but the continuation bytes.
        const auto characters = std::count_if(text.begin(), text.end(), [](char byte) {
            return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
        });
        if (size > kMaxShowTextBytes ||
            static_cast<std::size_t>(characters) > kMaxShowTextCharacters) {
            tooLong_ = true;
            return {};
        }
        return std::string(text);
    }

    // True when every field was there and nothing is left over.
    [[nodiscard]] bool Complete() const { return good_ && bytes_.empty(); }
    // True when a text was longer than a set-up box holds.
    [[nodiscard]] bool TooLong() const { return tooLong_; }

  private:
    std::string_view bytes_;
    bool good_ = true;
    bool tooLong_ = false;
};

std::uint32_t ReadU32(std::string_view bytes) {
    return static_cast<std::uint32_t>(FieldReader(bytes.substr(0, 4)).Unsigned(4));
}

// A whole record's contents read, or why they could not be.
struct Decoded {
    std::optional<JournalRecord> record;
    bool tooLong = false;
};

Decoded Decode(std::string_view contents) {
    FieldReader fields(contents);
    JournalRecord record;
    switch (static_cast<RecordType>(fields.Unsigned(1))) {
        case RecordType::Begin: {
            JournalBegin begin;
            begin.clubName = fields.Text();
            begin.showLocation = fields.Text();
            begin.showDate = fields.Text();
            begin.numJudges = fields.I16();
            for (std::int16_t &blooms : begin.blooms) {
                blooms = fields.I16();
            }
            record = std::move(begin);
            break;
        }
        case RecordType::Score: {
            JournalScore score;
            score.category = fields.I16();
            score.separator = static_cast<char>(fields.Unsigned(1));
            score.text = fields.Text();
            record = std::move(score);
            break;
        }
        case RecordType::NextJudge:
            record = JournalNextJudge{};
            break;
        case RecordType::PreviousJudge:
            record = JournalPreviousJudge{};
            break;
        case RecordType::RemoveJudge:
            record = JournalRemoveJudge{};
            break;
        case RecordType::Tabulated:
            record = JournalTabulated{};
            break;
        case RecordType::Saving: {
            JournalSaving saving;
            saving.path = fields.Text();
            saving.size = fields.Unsigned(8);
            saving.crc = static_cast<std::uint32_t>(fields.Unsigned(4));
            record = std::move(saving);
            break;
        }
        case RecordType::Closed:
            record = JournalClosed{};
            break;
        default:
            return {};
    }
    if (fields.TooLong()) {
        return {std::nullopt, true};
    }
    if (!fields.Complete()) {
        return {};
    }
    return {std::move(record), false};
}

// Does what each record says the Tabulator did, through the scorecard's rules, refusing what they
// refuse; the set-up opens the scorecard, and only the summary saves.
class Replay {
  public:
    explicit Replay(ReplayedJournal &journal) : journal_(journal) {}

    bool Apply(const JournalRecord &record) {
        return std::visit([this](const auto &r) { return Do(r); }, record);
    }

    [[nodiscard]] const std::optional<Scorecard> &Card() const { return card_; }
    [[nodiscard]] bool Closed() const { return closed_; }

  private:
    bool Do(const JournalBegin &begin) {
        const auto negative = [](std::int16_t blooms) { return blooms < 0; };
        if (card_ || begin.numJudges < 1 ||
            std::any_of(begin.blooms.begin(), begin.blooms.end(), negative) ||
            !ShowTextBytes(begin.clubName) || !ShowTextBytes(begin.showLocation) ||
            !ShowTextBytes(begin.showDate)) {
            return false;
        }
        ShowRecord &show = journal_.show;
        show.ClubName = begin.clubName;
        show.ShowLocation = begin.showLocation;
        show.ShowDate = begin.showDate;
        show.NumJudges = begin.numJudges;
        for (int c = 1; c <= kCategoryCount; ++c) {
            show.Blooms(c) = begin.blooms[static_cast<std::size_t>(c - 1)];
        }
        card_.emplace(show);
        return true;
    }
    bool Do(const JournalScore &score) {
        return card_ && card_->LeaveScoreBox(score.category, score.text, score.separator);
    }
    bool Do(const JournalNextJudge &) { return card_ && card_->NextJudge(); }
    bool Do(const JournalPreviousJudge &) { return card_ && card_->PreviousJudge(); }
    bool Do(const JournalRemoveJudge &) { return card_ && card_->RemoveJudge(); }
    bool Do(const JournalTabulated &) { return card_ && card_->Tabulate(); }
    bool Do(const JournalSaving &saving) {
        if (!card_ || !card_->state().tabulated || saving.path.empty()) {
            return false;
        }
        journal_.savedTo.push_back(saving);
        return true;
    }
    bool Do(const JournalClosed &) {
        closed_ = card_.has_value();
        return closed_;
    }

    ReplayedJournal &journal_;
    std::optional<Scorecard> card_;
    bool closed_ = false;
};

using Outcome = ReplayedJournal::Outcome;
using Stop = ReplayedJournal::Stop;

// The record framed at the place, when its length fits the bytes and its check holds: its
// contents. Nothing when it is short or fails its check.
std::optional<std::string_view> FramedRecord(std::string_view bytes, std::size_t at,
                                             const JournalId &id) {
    if (bytes.size() - at < kFrameSize) {
        return std::nullopt;
    }
    const std::string_view length = bytes.substr(at, 4);
    const std::uint32_t size = ReadU32(length);
    if (size == 0 || size > bytes.size() - at - kFrameSize) {
        return std::nullopt;
    }
    const std::string_view contents = bytes.substr(at + kFrameSize, size);
    if (ReadU32(bytes.substr(at + 4)) != JournalRecordCheck(id, length, contents)) {
        return std::nullopt;
    }
    return contents;
}

// Whether a record of that length and type byte could follow the set-up: the records without
// fields are one byte long, the others at least as long as their fixed fields.
bool CouldFollowTheSetUp(std::uint32_t size, unsigned char type) {
    switch (static_cast<RecordType>(type)) {
        case RecordType::Score:
            return size >= 1 + 2 + 1 + 4;
        case RecordType::Saving:
            return size >= 1 + 4 + 8 + 4;
        case RecordType::NextJudge:
        case RecordType::PreviousJudge:
        case RecordType::RemoveJudge:
        case RecordType::Tabulated:
        case RecordType::Closed:
            return size == 1;
        default:
            return false;
    }
}

// Why reading stopped at a record that is short or fails its check. A writer flushes each record
// before it appends the next, so one that died tore at most its last record, and wrote nothing
// after it: more than one record's bytes after the place, or a whole record anywhere after it,
// is damage. The search checks only places that could start a record of the program's, and
// checks at most kSearchBudget bytes; past that, the rest counts as damage.
Stop WhyUnread(std::string_view bytes, std::size_t from, const JournalId &id) {
    if (bytes.size() - from > kFrameSize + kMaxRecordSize) {
        return Stop::BadRecord;
    }
    std::size_t budget = kSearchBudget;
    for (std::size_t at = from + 1; bytes.size() - at > kFrameSize; ++at) {
        const std::uint32_t size = ReadU32(bytes.substr(at, 4));
        if (size > bytes.size() - at - kFrameSize ||
            !CouldFollowTheSetUp(size, static_cast<unsigned char>(bytes[at + kFrameSize]))) {
            continue;
        }
        if (size > budget || FramedRecord(bytes, at, id)) {
            return Stop::BadRecord;
        }
        budget -= size;
    }
    return Stop::TornTail;
}

// Whether the bytes are what a creation that never reached the disk whole leaves, before its
// header was whole: nothing, the start of the magic bytes, the magic bytes and less than a whole
// header, or zeros where the unflushed bytes were.
bool CreationLost(std::string_view bytes) {
    return (bytes.size() < kHeaderSize && kMagic.substr(0, bytes.size()) == bytes.substr(0, 8)) ||
           bytes.find_first_not_of('\0') == std::string_view::npos;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
    static const auto kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            table[n] = c;
        }
        return table;
    }();
    crc = ~crc;
    for (const char byte : bytes) {
        crc = kTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

std::uint32_t JournalRecordCheck(const JournalId &id, std::string_view length,
                                 std::string_view contents) {
    return Crc32(contents, Crc32(length, Crc32(IdBytes(id))));
}

std::string JournalStart(const JournalId &id, const JournalBegin &begin) {
    std::string out(kMagic);
    PutU32(out, kJournalFormatVersion);
    out.append(IdBytes(id));
    PutU32(out, static_cast<std::uint32_t>(Contents(begin).size()));
    PutU32(out, Crc32(out));
    return out + JournalRecordBytes(id, begin);
}

std::string JournalRecordBytes(const JournalId &id, const JournalRecord &record) {
    const std::string contents = std::visit([](const auto &r) { return Contents(r); }, record);
    std::string length;
    PutU32(length, static_cast<std::uint32_t>(contents.size()));
    std::string out = length;
    PutU32(out, JournalRecordCheck(id, length, contents));
    return out + contents;
}

bool IsJournalName(std::string_view fileName) {
    constexpr std::string_view kSuffix = ".journal";
    return fileName.size() == 32 + kSuffix.size() && fileName.substr(32) == kSuffix &&
           std::all_of(fileName.begin(), fileName.begin() + 32, [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

bool IsJournalCreationName(std::string_view fileName) {
    return fileName.ends_with(kJournalCreationSuffix) &&
           IsJournalName(fileName.substr(0, fileName.size() - kJournalCreationSuffix.size()));
}

bool HasJournalMagic(std::string_view bytes) {
    return bytes.substr(0, kMagic.size()) == kMagic;
}

ReplayedJournal ReplayJournal(std::string_view bytes) {
    ReplayedJournal journal;
    journal.show.Initialise();
    journal.outcome = Outcome::Unfinished;
    journal.stop = Stop::TornTail;
    // The header and the set-up record are written in one write and flushed before any score:
    // bytes of a creation that stopped hold no score.
    if (CreationLost(bytes)) {
        return journal;
    }
    if (!HasJournalMagic(bytes)) {
        journal.outcome = Outcome::NotAJournal;
        journal.stop = Stop::End;
        return journal;
    }
    if (ReadU32(bytes.substr(kHeaderSize - 4)) != Crc32(bytes.substr(0, kHeaderSize - 4))) {
        journal.outcome = Outcome::Unreadable;
        journal.stop = Stop::BadHeader;
        return journal;
    }
    std::memcpy(journal.id.data(), bytes.data() + kIdAt, journal.id.size());
    if (ReadU32(bytes.substr(kMagic.size())) != kJournalFormatVersion) {
        journal.outcome = Outcome::OtherVersion;
        journal.stop = Stop::End;
        return journal;
    }
    // Where the set-up record ends, as the header's check vouches for.
    const std::uint64_t setUpEnd =
        std::uint64_t{kHeaderSize} + kFrameSize + ReadU32(bytes.substr(kSetUpLengthAt));

    Replay replay(journal);
    std::size_t position = kHeaderSize;
    journal.stop = Stop::End;
    while (position < bytes.size() && !replay.Closed()) {
        const auto contents = FramedRecord(bytes, position, journal.id);
        if (!contents) {
            journal.stop = WhyUnread(bytes, position, journal.id);
            break;
        }
        const Decoded decoded = Decode(*contents);
        const std::size_t end = position + kFrameSize + contents->size();
        if (!decoded.record || (journal.records == 0 && end != setUpEnd) ||
            !replay.Apply(*decoded.record)) {
            journal.stop = decoded.tooLong ? Stop::TextTooLong : Stop::ImpossibleRecord;
            break;
        }
        position = end;
        ++journal.records;
        journal.validLength = position;
    }
    journal.stoppedAt = journal.records + 1;
    if (replay.Closed()) {
        journal.outcome = Outcome::Closed;
    } else if (const auto &card = replay.Card()) {
        journal.outcome = Outcome::Resumable;
        journal.scorecard = card->state();
        journal.tabulated = journal.scorecard.tabulated;
    } else if (bytes.size() < setUpEnd) {
        // The creation stopped inside its set-up record.
        journal.stop = Stop::TornTail;
    } else {
        journal.outcome = Outcome::Unreadable;
        journal.stop = journal.stop == Stop::TornTail ? Stop::BadRecord : journal.stop;
    }
    return journal;
}

}  // namespace bis
