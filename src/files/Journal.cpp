#include "files/Journal.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "app/EntryChecks.h"
#include "files/Cp1252.h"

namespace bis {

namespace {

constexpr std::string_view kMagic = "BISJOURN";
// The magic, the format version, the id and the header's own check.
constexpr std::size_t kHeaderSize = 8 + 4 + 16 + 4;
// Each record's length and check stand before its contents.
constexpr std::size_t kFrameSize = 4 + 4;

enum class RecordType : std::uint8_t {
    Begin = 1,
    Score = 2,
    Judge = 3,
    Tabulated = 4,
    Saving = 5,
    Closed = 6,
};

// The longest a text's bytes can be and its characters still fit a set-up box: UTF-8 takes up to
// four bytes a character.
constexpr std::size_t kMaxShowTextBytes = 4 * kMaxShowTextCharacters;
// The most any whole record of the program's can hold: the set-up with three texts at their
// longest.
constexpr std::size_t kMaxRecordSize = 1 + 3 * (4 + kMaxShowTextBytes) + 2 + 2 * kCategoryCount;

// ---- Writing -----------------------------------------------------------------------------------

void PutU32(std::string &out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

void PutU64(std::string &out, std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

void PutI16(std::string &out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<char>(bits & 0xFF));
    out.push_back(static_cast<char>(bits >> 8));
}

void PutDouble(std::string &out, double value) {
    PutU64(out, std::bit_cast<std::uint64_t>(value));
}

void PutText(std::string &out, std::string_view text) {
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

std::string Contents(const JournalBegin &begin) {
    std::string out(1, static_cast<char>(RecordType::Begin));
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
    std::string out(1, static_cast<char>(RecordType::Score));
    PutI16(out, score.judge);
    PutI16(out, score.category);
    PutDouble(out, score.value);
    PutDouble(out, score.total);
    PutText(out, score.text);
    return out;
}

std::string Contents(const JournalJudge &judge) {
    std::string out(1, static_cast<char>(RecordType::Judge));
    PutI16(out, judge.numJudges);
    PutI16(out, judge.currentJudge);
    PutI16(out, judge.enteredJudge);
    out.push_back(judge.removeShown ? 1 : 0);
    out.push_back(static_cast<char>(judge.boxes));
    for (const double total : judge.totals) {
        PutDouble(out, total);
    }
    return out;
}

std::string Contents(const JournalTabulated &tabulated) {
    std::string out(1, static_cast<char>(RecordType::Tabulated));
    PutI16(out, tabulated.lastJudge);
    return out;
}

std::string Contents(const JournalSaving &saving) {
    std::string out(1, static_cast<char>(RecordType::Saving));
    PutText(out, saving.path);
    PutU64(out, saving.size);
    PutU32(out, saving.crc);
    return out;
}

std::string Contents(const JournalClosed &) {
    return std::string(1, static_cast<char>(RecordType::Closed));
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

    std::uint64_t U64() { return Unsigned(8); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }
    std::int16_t I16() {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(Unsigned(2)));
    }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Unsigned(1)); }
    double Double() { return std::bit_cast<double>(Unsigned(8)); }
    // A text of the show; one longer than a set-up box holds is refused before it is copied.
    std::string Text() {
        const std::uint32_t size = U32();
        if (!good_ || size > bytes_.size()) {
            good_ = false;
            return {};
        }
        const std::string_view text = bytes_.substr(0, size);
        bytes_.remove_prefix(size);
        if (size > kMaxShowTextBytes || Characters(text) > kMaxShowTextCharacters) {
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

    // The characters of UTF-8 text: every byte but the continuation bytes.
    static std::size_t Characters(std::string_view text) {
        std::size_t count = 0;
        for (const char byte : text) {
            count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
        }
        return count;
    }

    std::string_view bytes_;
    bool good_ = true;
    bool tooLong_ = false;
};

std::uint32_t ReadU32(std::string_view bytes) {
    return FieldReader(bytes.substr(0, 4)).U32();
}

// A whole record's contents read, or why they could not be.
struct Decoded {
    std::optional<JournalRecord> record;
    bool tooLong = false;
};

Decoded Decode(std::string_view contents) {
    FieldReader fields(contents);
    JournalRecord record;
    switch (static_cast<RecordType>(fields.U8())) {
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
            score.judge = fields.I16();
            score.category = fields.I16();
            score.value = fields.Double();
            score.total = fields.Double();
            score.text = fields.Text();
            record = std::move(score);
            break;
        }
        case RecordType::Judge: {
            JournalJudge judge;
            judge.numJudges = fields.I16();
            judge.currentJudge = fields.I16();
            judge.enteredJudge = fields.I16();
            const std::uint8_t removeShown = fields.U8();
            const std::uint8_t boxes = fields.U8();
            for (double &total : judge.totals) {
                total = fields.Double();
            }
            if (removeShown > 1 || boxes > static_cast<std::uint8_t>(JournalBoxes::Scores)) {
                return {};
            }
            judge.removeShown = removeShown == 1;
            judge.boxes = static_cast<JournalBoxes>(boxes);
            record = judge;
            break;
        }
        case RecordType::Tabulated:
            record = JournalTabulated{fields.I16()};
            break;
        case RecordType::Saving: {
            JournalSaving saving;
            saving.path = fields.Text();
            saving.size = fields.U64();
            saving.crc = fields.U32();
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

// A text of the set-up as the set-up screen lets one through: characters of Windows-1252, with
// no double quote and no line break.
bool IsShowText(std::string_view text) {
    if (text.find_first_of("\"\r\n") != std::string_view::npos) {
        return false;
    }
    return Utf8FromCp1252(Cp1252FromUtf8(text)) == text;
}

// A score the scorecard accepts: 0 to 5 in steps of 0.5.
bool IsScore(double value) {
    return value >= 0.0 && value <= 5.0 && std::floor(value * 2.0) == value * 2.0;
}

// Applies the records one by one to the show and the scorecard, refusing any that the scorecard
// could not have written at that point. The scorecard keeps every total equal to the sum of its
// category over judges 1..NumJudges; running sums check each total without adding up the
// ballots again.
class Replay {
  public:
    explicit Replay(ReplayedJournal &journal) : journal_(journal), show_(journal.show) {}

    bool Apply(const JournalRecord &record) {
        return std::visit([this](const auto &r) { return ApplyRecord(r); }, record);
    }

    [[nodiscard]] bool Begun() const { return begun_; }
    [[nodiscard]] bool Closed() const { return closed_; }

  private:
    bool ApplyRecord(const JournalBegin &begin) {
        if (begun_ || begin.numJudges < 1 || !IsShowText(begin.clubName) ||
            !IsShowText(begin.showLocation) || !IsShowText(begin.showDate)) {
            return false;
        }
        for (const std::int16_t blooms : begin.blooms) {
            if (blooms < 0) {
                return false;
            }
        }
        show_.ClubName = begin.clubName;
        show_.ShowLocation = begin.showLocation;
        show_.ShowDate = begin.showDate;
        show_.NumJudges = begin.numJudges;
        for (int c = 1; c <= kCategoryCount; ++c) {
            show_.Blooms(c) = begin.blooms[static_cast<std::size_t>(c - 1)];
        }
        show_.Scores.allocate(show_.NumJudges);
        show_.BallotEntered.allocate(show_.NumJudges);
        JournalScorecard &card = journal_.scorecard;
        card.currentJudge = 1;
        card.openedWithJudges = show_.NumJudges;
        card.removeShown = show_.NumJudges > 1;
        begun_ = true;
        return true;
    }

    bool ApplyRecord(const JournalScore &score) {
        JournalScorecard &card = journal_.scorecard;
        if (!Open() || score.judge != card.currentJudge || score.category < 1 ||
            score.category > kCategoryCount || !show_.Eligible(score.category) ||
            !IsScore(score.value) || !TypedAs(score.text, score.value)) {
            return false;
        }
        const auto c = static_cast<std::size_t>(score.category - 1);
        const double sum = sums_[c] - show_.Scores(score.judge, score.category) + score.value;
        if (score.total != sum) {
            return false;
        }
        sums_[c] = sum;
        show_.Scores(score.judge, score.category) = score.value;
        show_.Scores(0, score.category) = score.total;
        card.typed[c] = score.text;
        card.totalShown[c] = true;
        card.lastBoxLeft = score.category;
        return true;
    }

    bool ApplyRecord(const JournalJudge &judge) {
        JournalScorecard &card = journal_.scorecard;
        if (!Open()) {
            return false;
        }
        const std::int16_t judges = show_.NumJudges;
        const std::int16_t current = card.currentJudge;
        const bool removed = judge.numJudges == judges - 1;
        const bool moved = judge.currentJudge != current;
        if ((judge.numJudges != judges && !removed) || judge.numJudges < 1 ||
            (removed && (moved || judge.numJudges < current || !card.removeShown)) ||
            judge.currentJudge < 1 || judge.currentJudge > judge.numJudges ||
            std::abs(judge.currentJudge - current) > 1 ||
            (judge.removeShown && judge.currentJudge >= judge.numJudges) ||
            moved != (judge.boxes != JournalBoxes::Unchanged) ||
            judge.enteredJudge != EnteredBy(judge, current)) {
            return false;
        }
        // Next Judge shows a judge's stored scores once the ballot was entered; Previous Judge
        // always does.
        if (moved && judge.currentJudge > current &&
            judge.boxes != (show_.BallotEntered(judge.currentJudge) == 1 ? JournalBoxes::Scores
                                                                         : JournalBoxes::Empty)) {
            return false;
        }
        if (moved && judge.currentJudge < current && judge.boxes != JournalBoxes::Scores) {
            return false;
        }
        std::array<double, kCategoryCount> sums = sums_;
        for (int c = 1; c <= kCategoryCount; ++c) {
            const auto i = static_cast<std::size_t>(c - 1);
            if (removed) {
                sums[i] -= show_.Scores(judges, c);
            }
            if (judge.totals[i] != sums[i]) {
                return false;
            }
        }
        sums_ = sums;
        if (judge.enteredJudge != 0) {
            show_.BallotEntered(judge.enteredJudge) = 1;
        }
        show_.NumJudges = judge.numJudges;
        for (int c = 1; c <= kCategoryCount; ++c) {
            show_.Scores(0, c) = judge.totals[static_cast<std::size_t>(c - 1)];
        }
        card.currentJudge = judge.currentJudge;
        card.removeShown = judge.removeShown;
        if (moved) {
            card.boxes = judge.boxes;
            card.typed = {};
            card.lastBoxLeft = 0;
        }
        return true;
    }

    bool ApplyRecord(const JournalTabulated &tabulated) {
        if (!Open() || tabulated.lastJudge != show_.NumJudges ||
            journal_.scorecard.currentJudge != show_.NumJudges) {
            return false;
        }
        show_.BallotEntered(tabulated.lastJudge) = 1;
        journal_.tabulated = true;
        return true;
    }

    // Save Report, on the summary only.
    bool ApplyRecord(const JournalSaving &saving) {
        if (!begun_ || !journal_.tabulated || saving.path.empty()) {
            return false;
        }
        journal_.savedTo.push_back(saving);
        return true;
    }

    bool ApplyRecord(const JournalClosed &) {
        if (!begun_) {
            return false;
        }
        closed_ = true;
        return true;
    }

    // The judge whose ballot the button marked entered: Next Judge marks the judge it leaves,
    // also when "PLEASE CHECK!" is answered No; Previous Judge only a judge with a score above 0;
    // Remove a Judge none.
    std::int16_t EnteredBy(const JournalJudge &judge, std::int16_t current) const {
        if (judge.numJudges != show_.NumJudges) {
            return 0;
        }
        if (judge.currentJudge < current) {
            for (const double score : show_.Scores.row(current)) {
                if (score > 0.0) {
                    return current;
                }
            }
            return 0;
        }
        return current;
    }

    // Whether the scorecard is open: begun and not yet tabulated.
    [[nodiscard]] bool Open() const { return begun_ && !journal_.tabulated; }

    // Whether the box's text reads as the value, with either decimal separator the user may have.
    static bool TypedAs(const std::string &text, double value) {
        const std::string bytes = Cp1252FromUtf8(text);
        for (const char separator : {'.', ','}) {
            if (const auto read = ScoreEntry(bytes, separator); read && *read == value) {
                return true;
            }
        }
        return false;
    }

    ReplayedJournal &journal_;
    ShowRecord &show_;
    std::array<double, kCategoryCount> sums_{};
    bool begun_ = false;
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

// Whether a whole record of the journal starts anywhere from the place on: proof that a bad record
// before it is damage, not the torn tail of a writer that died. Only places whose length and type
// could be a record of the program's are checked.
bool WholeRecordFrom(std::string_view bytes, std::size_t from, const JournalId &id) {
    for (std::size_t at = from; at < bytes.size() && bytes.size() - at > kFrameSize; ++at) {
        const std::uint32_t size = ReadU32(bytes.substr(at, 4));
        if (size == 0 || size > kMaxRecordSize || size > bytes.size() - at - kFrameSize) {
            continue;
        }
        const auto type = static_cast<unsigned char>(bytes[at + kFrameSize]);
        if (type < static_cast<unsigned char>(RecordType::Begin) ||
            type > static_cast<unsigned char>(RecordType::Closed)) {
            continue;
        }
        if (FramedRecord(bytes, at, id)) {
            return true;
        }
    }
    return false;
}

// Whether the bytes are a creation of the program's that never reached the disk whole: empty,
// the start of the magic bytes, or zeros where the unflushed bytes were.
bool CreationLost(std::string_view bytes) {
    return (bytes.size() < kMagic.size() && kMagic.substr(0, bytes.size()) == bytes) ||
           bytes.find_first_not_of('\0') == std::string_view::npos;
}

// Whether the bytes after a header that fails its check were written after the journal's
// creation, which wrote the header and the set-up record in one write: the set-up record, as its
// length field says, ends before the bytes do.
bool GrewAfterCreation(std::string_view bytes) {
    if (bytes.size() < kHeaderSize + 4) {
        return false;
    }
    const std::uint64_t setUpEnd =
        std::uint64_t{kHeaderSize} + kFrameSize + ReadU32(bytes.substr(kHeaderSize));
    return setUpEnd < bytes.size();
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

ReplayedJournal ReplayJournal(std::string_view bytes) {
    ReplayedJournal journal;
    journal.show.Initialise();
    journal.outcome = Outcome::Unfinished;
    journal.stop = Stop::TornTail;
    if (CreationLost(bytes)) {
        return journal;
    }
    if (bytes.size() >= kHeaderSize) {
        std::memcpy(journal.id.data(), bytes.data() + kHeaderSize - 4 - journal.id.size(),
                    journal.id.size());
    }
    // The program's file: its magic bytes, or, where they are damaged, a set-up record that holds
    // under the id its header names.
    if (bytes.substr(0, kMagic.size()) != kMagic &&
        (bytes.size() < kHeaderSize || !FramedRecord(bytes, kHeaderSize, journal.id))) {
        journal.outcome = Outcome::NotAJournal;
        journal.stop = Stop::End;
        return journal;
    }
    if (bytes.size() < kHeaderSize) {
        return journal;
    }
    if (ReadU32(bytes.substr(kHeaderSize - 4)) != Crc32(bytes.substr(0, kHeaderSize - 4))) {
        if (GrewAfterCreation(bytes)) {
            journal.outcome = Outcome::Unreadable;
            journal.stop = Stop::BadHeader;
        }
        return journal;
    }
    if (ReadU32(bytes.substr(kMagic.size())) != kJournalFormatVersion) {
        journal.outcome = Outcome::OtherVersion;
        journal.stop = Stop::End;
        return journal;
    }

    Replay replay(journal);
    std::size_t position = kHeaderSize;
    journal.stop = Stop::End;
    while (position < bytes.size() && !replay.Closed()) {
        const auto contents = FramedRecord(bytes, position, journal.id);
        if (!contents) {
            journal.stop =
                WholeRecordFrom(bytes, position + 1, journal.id) ? Stop::BadRecord : Stop::TornTail;
            break;
        }
        const Decoded decoded = Decode(*contents);
        if (!decoded.record || !replay.Apply(*decoded.record)) {
            journal.stop = decoded.tooLong ? Stop::TextTooLong : Stop::ImpossibleRecord;
            break;
        }
        position += kFrameSize + contents->size();
        ++journal.records;
        journal.validLength = position;
    }
    journal.stoppedAt = journal.records + 1;
    if (replay.Closed()) {
        journal.outcome = Outcome::Closed;
    } else if (replay.Begun()) {
        journal.outcome = Outcome::Resumable;
    } else {
        journal.outcome = journal.damaged() ? Outcome::Unreadable : Outcome::Unfinished;
    }
    return journal;
}

}  // namespace bis
