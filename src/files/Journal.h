#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/ShowRecord.h"

namespace bis {

// The journal of a show being entered: a header, then one framed record for each change the
// scorecard makes, each an assignment to the show record or to where the Tabulator is, and on the
// summary the show files it is being saved in and the closing record. Replaying the records in
// order onto a fresh record gives back the show and the screen exactly as they were at the last
// record. See docs/file-formats.md.

// The journal's own random identity, written in its header and folded into every record's
// check, so that no record of another journal is ever taken for one of this journal.
using JournalId = std::array<std::uint8_t, 16>;

// The version of the record format this program writes and reads.
inline constexpr std::uint32_t kJournalFormatVersion = 1;

// The set-up as the scorecard opened with it: every ballot empty, judge 1 on screen.
struct JournalBegin {
    std::string clubName;  // UTF-8, as the show record holds them
    std::string showLocation;
    std::string showDate;
    std::int16_t numJudges = 0;
    std::array<std::int16_t, kCategoryCount> blooms{};
};

// A score accepted when its box was left: Scores(judge, category) := value and
// Scores(0, category) := total; the box shows text, exactly as typed.
struct JournalScore {
    std::int16_t judge = 0;
    std::int16_t category = 0;
    double value = 0.0;
    double total = 0.0;
    std::string text;  // UTF-8
};

// What the score boxes show after a button of the scorecard acted.
enum class JournalBoxes : std::uint8_t {
    Unchanged = 0,  // the button left them as they were (Remove a Judge, "PLEASE CHECK!" No)
    Empty = 1,      // emptied, for a judge whose ballot is not entered yet
    Scores = 2,     // the judge's stored scores, in the score form
};

// Where the Tabulator is after a button of the scorecard acted: NumJudges, the judge on screen,
// the judge whose ballot was marked entered (0 for none), whether Remove a Judge shows, what the
// boxes show, and every category's total.
struct JournalJudge {
    std::int16_t numJudges = 0;
    std::int16_t currentJudge = 0;
    std::int16_t enteredJudge = 0;
    bool removeShown = false;
    JournalBoxes boxes = JournalBoxes::Unchanged;
    std::array<double, kCategoryCount> totals{};
};

// The ballots were tabulated: the last judge's ballot is entered and the summary is open.
struct JournalTabulated {
    std::int16_t lastJudge = 0;
};

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

using JournalRecord = std::variant<JournalBegin, JournalScore, JournalJudge, JournalTabulated,
                                   JournalSaving, JournalClosed>;

// The most characters a text of the show may have: what a set-up box holds.
inline constexpr std::size_t kMaxShowTextCharacters = 32767;

// The bytes that start a journal: its header and the record of the set-up.
[[nodiscard]] std::string JournalStart(const JournalId &id, const JournalBegin &begin);

// The framed bytes of one record of the journal: its length, its check and its contents.
[[nodiscard]] std::string JournalRecordBytes(const JournalId &id, const JournalRecord &record);

// The scorecard as the last record left it. The boxes show `typed` where a score was accepted
// since they were last filled, and otherwise what `boxes` says.
struct JournalScorecard {
    std::int16_t currentJudge = 1;
    // NumJudges when the scorecard opened: a show of one judge reads "Tabulate Scores".
    std::int16_t openedWithJudges = 0;
    bool removeShown = false;
    JournalBoxes boxes = JournalBoxes::Empty;
    std::array<std::optional<std::string>, kCategoryCount> typed;
    // Whether the category's running total has been shown.
    std::array<bool, kCategoryCount> totalShown{};
    // The category of the score box left last on this judge, 0 when none since the judge came
    // on screen: the focus goes on from it.
    int lastBoxLeft = 0;
};

// What a journal's bytes come to.
struct ReplayedJournal {
    // What the journal is, and so what a start does with it.
    enum class Outcome {
        Resumable,     // the show and the screen below, read up to where reading stopped
        Closed,        // it ends in the closing record: the show was saved or given up
        Unfinished,    // its writer stopped before its header and set-up record were whole
        Unreadable,    // damaged before anything could be read back: the header or the set-up
        OtherVersion,  // a whole header of another format version: not this program's to touch
        NotAJournal,   // not a file of the program's: not its magic bytes, nor its records
    };
    // Why reading stopped.
    enum class Stop {
        End,               // at the end of the bytes
        TornTail,          // at a record that is short or fails its check, with nothing whole
                           // after it: what a writer that died leaves
        BadRecord,         // at a record that is short or fails its check, with a whole record
                           // after it: damage
        ImpossibleRecord,  // at a whole record the scorecard could not have written there
        TextTooLong,       // at a whole record with a text longer than a set-up box holds
        BadHeader,         // at a header that fails its check, with more after it than the
                           // journal's creation wrote
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
    JournalScorecard scorecard;
    // The show files the summary was saving the show in, oldest first.
    std::vector<JournalSaving> savedTo;
    // How many records were read, and how many bytes they end at: whatever follows them is cut
    // away, or kept aside when it is damage, before the journal grows again.
    std::size_t records = 0;
    std::size_t validLength = 0;

    // Whether reading stopped at damage rather than at the end or at a writer's death.
    [[nodiscard]] bool damaged() const { return stop != Stop::End && stop != Stop::TornTail; }
};

// Replays the journal onto a fresh show record. Reading stops at the first record that is short,
// fails its check (which folds in the journal's id, so a record of another journal fails it),
// assigns what the scorecard could never have made (a judge above the count, a score that is not
// a step of 0.5, a total that is not the sum of the ballots, a record after the tabulation other
// than a save), or holds a text too long; everything before it counts. A record that fails its
// check is a writer's death only when nothing whole follows it. See docs/file-formats.md.
[[nodiscard]] ReplayedJournal ReplayJournal(std::string_view bytes);

// The check of a record: the CRC-32 of the journal's id, the record's 4 length bytes and its
// contents.
[[nodiscard]] std::uint32_t JournalRecordCheck(const JournalId &id, std::string_view length,
                                               std::string_view contents);

// The CRC-32 (the polynomial of zlib and PNG) of the bytes, continuing from an earlier value.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace bis
