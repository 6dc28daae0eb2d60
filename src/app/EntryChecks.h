#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bis {

// The checks made when an entry box is left. Each takes the box's text as Windows-1252 bytes and
// the regional decimal separator, reads the number with ReadNumber, and gives the value to store
// or nothing when the entry is refused.

// A judge count: a whole number from 1 to 32767. An empty box is refused like any non-number.
[[nodiscard]] std::optional<std::int16_t> JudgeCountEntry(std::string_view text, char separator);

// A bloom count: a whole number from 0 to 32767; an empty or blank box is 0.
[[nodiscard]] std::optional<std::int16_t> BloomCountEntry(std::string_view text, char separator);

// A score: 0 to 5 in steps of 0.5; an empty or blank box is 0.
[[nodiscard]] std::optional<double> ScoreEntry(std::string_view text, char separator);

// A text of the show (the club, the location, the date), as UTF-8: its Windows-1252 bytes, or
// nothing when it holds what the show file cannot, a double quote, a line break or a character
// outside the code page. The set-up boxes let no such keystroke through, and a journal holding
// such a text is damaged.
[[nodiscard]] std::optional<std::string> ShowTextBytes(std::string_view utf8);

}  // namespace bis
