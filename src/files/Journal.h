#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "app/ShowRecord.h"

namespace bis {

// The journal of a show being entered: a header, then one framed record for each change the
// scorecard or the summary makes, each an assignment to the show record or to where the
// Tabulator is. Replaying the records in order onto a fresh record gives back the show and the
// screen exactly as they were at the last record. See docs/file-formats.md.

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

using JournalRecord = std::variant<JournalBegin, JournalScore, JournalJudge, JournalTabulated>;

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
    enum class Outcome {
        Resumable,      // the show and the screen below
        NoWholeRecord,  // a journal whose set-up never reached the disk whole
        OtherVersion,   // a journal of another format version: not this program's to touch
        NotAJournal,    // the bytes do not begin with a journal's header
    };
    Outcome outcome = Outcome::NotAJournal;
    JournalId id{};
    // The show record rebuilt from the records, ReportSaved 0.
    ShowRecord show;
    // Whether the ballots were tabulated (the summary is open); otherwise the scorecard is.
    bool tabulated = false;
    JournalScorecard scorecard;
    // How many records were replayed, and how many bytes they end at: whatever follows them is a
    // torn, garbled or foreign tail, to be cut away before the journal grows again.
    std::size_t records = 0;
    std::size_t validLength = 0;
};

// Replays the journal onto a fresh show record. Reading stops at the first record that is short,
// fails its check, belongs to another journal, or assigns what the scorecard could never have
// made (a judge above the count, a score that is not a step of 0.5, a total that is not the sum of
// the ballots, a record after the tabulation); everything before it counts.
[[nodiscard]] ReplayedJournal ReplayJournal(std::string_view bytes);

// The CRC-32 (the polynomial of zlib and PNG) of the bytes, continuing from an earlier value.
[[nodiscard]] std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace bis
