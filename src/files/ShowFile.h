#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/ShowRecord.h"

namespace bis {

// The show file: one field per line, each line ended by CR LF, texts in double quotes and in
// Windows-1252. See docs/file-formats.md.

// The bytes of the show file for the record: version, club, location, date, judge count,
// category count, the bloom counts, then the scores row by row from row 0 (the totals) to
// NumJudges. Rows above NumJudges are left out. A double quote inside a text is written as an
// apostrophe, so that every saved file reads back field by field.
[[nodiscard]] std::string ShowFileBytes(const ShowRecord &show);

// What reading a show file came to.
struct ShowFileReadResult {
    enum class Outcome {
        Read,          // the record now holds the show of the file
        NotVersioned,  // the first field does not begin with "Version"
        WrongVersion,  // another version than "Version 02"; fileVersion holds the file's text
        Unreadable,    // the file ends early, or a field is not what its place needs
    };
    Outcome outcome = Outcome::Unreadable;
    // The file's version text with blanks trimmed, as UTF-8; set for WrongVersion.
    std::string fileVersion;
    // Set for Unreadable: the line where reading stopped, counted from 1, and why, as UTF-8:
    // what the place needs and what stands there instead ("expected the number of judges (a
    // whole number from 1 to 32767), found 'x'").
    std::size_t line = 0;
    std::string reason;

    [[nodiscard]] bool ok() const { return outcome == Outcome::Read; }
};

// Reads a whole show file into the record. On success it replaces the particulars, NumJudges,
// NumCategories, Blooms and Scores and sets ReportSaved to 1. On any failure the record is left
// exactly as it was. Besides a file that ends early or holds a text where a number is due, a
// file is unreadable when its judge count is below 1, its category count is not 10, a count does
// not fit 16 bits or is not whole, a bloom count is negative, a score is not a finite number, or
// the club, location or date holds a double quote (possible only in a field written unquoted).
[[nodiscard]] ShowFileReadResult ReadShowFile(std::string_view bytes, ShowRecord &show);

}  // namespace bis
