#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bis {

// The judge-number and count text: the decimal number after one blank, the place of its sign,
// as in " 3"; a negative number shows its minus sign instead of the blank.
[[nodiscard]] std::string CountText(long value);

// A score or total with at least one digit before the decimal separator and exactly one after
// it, and nothing else: 0 gives "0.0", 4.5 "4.5", 102.5 "102.5". The separator is the one the
// caller names (the user's regional one on screens and in the text and printed reports).
[[nodiscard]] std::string ScoreText(double value, char decimalSeparator = '.');

// A score as the show file writes it: "." as the separator and no trailing zeros, so a whole
// value has no point at all (0, 3, 2.5, 12.5).
[[nodiscard]] std::string ShowFileNumber(double value);

// Reads a number made of an optional sign and at least one digit, with at most one "." as the
// point before, among or after the digits: "2.5", "-3", ".5" and "5." are all read. A show file
// writes every score as "[sign]digits[.digits]"; any other text, blanks included, gives nothing.
// ReadNumber reads such a text the same way.
[[nodiscard]] std::optional<double> ReadPlainDecimal(std::string_view text);

// Reads a number typed into an entry box. Blanks before and after it are allowed; it may have a
// sign, digits with one decimal point ("." always, and the regional separator too) and an
// exponent ("1e0"). Anything else, including an empty text, a value too large for a double,
// "nan", "inf", hexadecimal forms and digit grouping, is not a number. Negative zero is read as 0.
[[nodiscard]] std::optional<double> ReadNumber(std::string_view text, char regionalSeparator = '.');

}  // namespace bis
