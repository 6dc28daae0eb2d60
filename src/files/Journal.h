#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/ShowRecord.h"
#include "ballots/Scorecard.h"

namespace bis {

// The journal of a show being entered: a header, the set-up the scorecard opened with, then one
// framed record for each thing the Tabulator did on the scorecard (a score box left, a button
// pressed) and, on the summary, the show files it is being saved in and the closing record.
// Replaying the records in order through the scorecard's rules gives back the show and the
// screen exactly as they were at the last record. See docs/file-formats.md.

// The journal's own random identity, written in its header and folded into every record's
// check, so that no record of another journal is ever taken for one of this journal.
using JournalId = std::array<std::uint8_t, 16>;

// The version of the format this program writes and reads.
inline constexpr std::uint32_t kJournalFormatVersion = 2;

// The set-up as the scorecard opened with it: every ballot empty, judge 1 on screen.
struct JournalBegin {
    std::string clubName;  // UTF-8, as the show record holds them
    std::string showLocation;
    std::string showDate;
    std::int16_t numJudges = 0;
    std::array<std::int16_t, kCategoryCount> blooms{};
};

// A score box of the judge on screen left with its entry accepted: the box's text exactly as
// typed (UTF-8), and the decimal separator it was read with.
struct JournalScore {
    std::int16_t category = 0;
    std::string text;
    char separator = '.';
};

// Next Judge pressed; on the last judge, "PLEASE CHECK!" answered No.
struct JournalNextJudge {};
// Previous Judge pressed.
struct JournalPreviousJudge {};
// Remove a Judge answered Yes.
struct JournalRemoveJudge {};
// "PLEASE CHECK!" answered Yes: the ballots are tabulated and the summary opens.
struct JournalTabulated {};

// The show is about to be saved in a show file: the file's name and what it is to hold, written
// before the file is, so that a later start can tell whether the show reached it.
struct JournalSaving {
    std::string path;  // UTF-8, as the program names the file
    std::uint64_t size = 0;
    std::uint32_t crc = 0;  // Crc32 of the show file's bytes

    friend bool operator==(const JournalSaving &, const JournalSaving &) = default;
};

// The journal's last record: the show was saved, or the Tabulator gave it up.
struct JournalClosed {};

using JournalRecord =
    std::variant<JournalBegin, JournalScore, JournalNextJudge, JournalPreviousJudge,
                 JournalRemoveJudge, JournalTabulated, JournalSaving, JournalClosed>;

// The most characters a text of the show may have: what a set-up box holds.
inline constexpr std::size_t kMaxShowTextCharacters = 32767;

// The bytes that start a journal: its header and the record of the set-up.
[[nodiscard]] std::string JournalStart(const JournalId &id, const JournalBegin &begin);

// The framed bytes of one record of the journal: its length, its check and its contents.
[[nodiscard]] std::string JournalRecordBytes(const JournalId &id, const JournalRecord &record);

// Whether a file's name is a journal's: its id as 32 hex digits, then ".journal".
[[nodiscard]] bool IsJournalName(std::string_view fileName);

// What follows a journal's name while it is created: its bytes are written and flushed under that
// name, and only then moved under the journal's. No score is ever written to such a file.
inline constexpr std::string_view kJournalCreationSuffix = ".new";

// Whether a file's name is that of a journal being created.
[[nodiscard]] bool IsJournalCreationName(std::string_view fileName);

// Whether the bytes begin with the magic bytes of a journal.
[[nodiscard]] bool HasJournalMagic(std::string_view bytes);

// What a journal's bytes come to.
struct ReplayedJournal {
    // What the journal is, and so what a start does with it.
    enum class Outcome {
        Resumable,     // the show and the screen below, read up to where reading stopped
        Closed,        // it ends in the closing record: the show was saved or given up
        Unfinished,    // its writer died before its header and set-up record were whole, which
                       // it wrote before any score
        Unreadable,    // damaged before anything could be read back: the header or the set-up
        OtherVersion,  // a whole header of another format version
        NotAJournal,   // no magic bytes, and not the remains of a creation that never finished
    };
    // Why reading stopped.
    enum class Stop {
        End,               // at the end of the bytes
        TornTail,          // at a record that is short or fails its check, with nothing whole
                           // after it: what a writer that died leaves
        BadRecord,         // at a record that is short or fails its check, with a whole record
                           // after it or more after it than one record: damage
        ImpossibleRecord,  // at a whole record the scorecard's rules refuse there
        TextTooLong,       // at a whole record with a text longer than a set-up box holds
        BadHeader,         // at a header that fails its check
    };
    Outcome outcome = Outcome::NotAJournal;
    Stop stop = Stop::End;
    // The record reading stopped at, counted from 1 for the set-up record; 0 for the header.
    std::size_t stoppedAt = 0;
    JournalId id{};
    // The show record rebuilt from the records, ReportSaved 0.
    ShowRecord show;
    // Whether the ballots were tabulated (the summary is open); otherwise the scorecard is.
    bool tabulated = false;
    ScorecardState scorecard;
    // The show files the summary was saving the show in, oldest first.
    std::vector<JournalSaving> savedTo;
    // How many records were read, and how many bytes they end at: whatever follows them is cut
    // away, or kept aside when it is damage, before the journal grows again.
    std::size_t records = 0;
    std::size_t validLength = 0;

    // Whether reading stopped at damage rather than at the end or at a writer's death.
    [[nodiscard]] bool damaged() const { return stop != Stop::End && stop != Stop::TornTail; }
};

// Replays the journal: the set-up, then every later record through the scorecard's rules.
// Reading stops at the first record that is short, fails its check (which folds in the journal's
// id, so a record of another journal fails it), is refused by the rules, or holds a text too
// long; everything before it counts. A record that fails its check is a writer's death only when
// nothing whole follows it and no more than one record's bytes do. See docs/file-formats.md.
[[nodiscard]] ReplayedJournal ReplayJournal(std::string_view bytes);

// The check of a record: the CRC-32 of the journal's id, the record's 4 length bytes and its
// contents.
[[nodiscard]] std::uint32_t JournalRecordCheck(const JournalId &id, std::string_view length,
                                               std::string_view contents);

// The CRC-32 (the polynomial of zlib and PNG) of the bytes, continuing from an earlier value.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace bis
