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

// The text right-aligned with blanks in a field of the given width; a longer text is kept whole.
[[nodiscard]] std::string RightAligned(std::string text, std::size_t width);

// The most bytes a score's text can take, for any double (the largest has 309 digits before the
// point).
inline constexpr std::size_t kLongestScoreText = 320;

// WriteScoreField for a value that is not a multiple of 0.5 below 10^15 halves.
char *WriteOtherScoreField(char *at, double value, char decimalSeparator, std::size_t width);

// Writes RightAligned(ScoreText(value, decimalSeparator), width) at `at`, without building the
// intermediate texts, and gives the end of what it wrote. There must be room for the larger of
// width and kLongestScoreText bytes. Inline, since the reports write hundreds of thousands.
inline char *WriteScoreField(char *at, double value, char decimalSeparator, std::size_t width) {
    // Every score and total is a multiple of 0.5, whose one-decimal text is exact: the whole
    // part, the separator, then 0 or 5. Its length is known beforehand, so it is written in
    // place from its end. Negative zero gives "0.0", never "-0.0".
    const double halves = value * 2.0;
    const bool small = (halves < 0 ? -halves : halves) < 1e15;
    const auto count = small ? static_cast<long long>(halves) : 0;
    if (!small || static_cast<double>(count) != halves) {
        return WriteOtherScoreField(at, value, decimalSeparator, width);
    }
    auto whole = count < 0 ? -count : count;
    // The sign, the digits of the whole part, the separator and the decimal.
    std::size_t length = (count < 0 ? 1 : 0) + 3;
    for (auto rest = whole / 2; rest >= 10; rest /= 10) {
        ++length;
    }
    for (std::size_t blanks = length; blanks < width; ++blanks) {
        *at++ = ' ';
    }
    char *const end = at + length;
    char *back = end;
    *--back = whole % 2 != 0 ? '5' : '0';
    *--back = decimalSeparator;
    whole /= 2;
    do {
        *--back = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (count < 0) {
        *--back = '-';
    }
    return end;
}

// The most bytes a whole number's text can take.
inline constexpr std::size_t kLongestCountText = 24;

// Writes the whole number in plain decimal digits, with a minus sign when negative, right-aligned
// with blanks in a field of the given width (a longer number is kept whole), and gives the end.
// There must be room for the larger of width and kLongestCountText bytes.
char *WriteCountField(char *at, long value, std::size_t width);

// A score as the show file writes it: "." as the separator and no trailing zeros, so a whole
// value has no point at all (0, 3, 2.5, 12.5).
[[nodiscard]] std::string ShowFileNumber(double value);

// Reads a number of the form "[sign]digits[.digits]" with "." as the point, the form every score
// of a show file is written in; any other text, blanks included, gives nothing. ReadNumber reads
// such a text the same way.
[[nodiscard]] std::optional<double> ReadPlainDecimal(std::string_view text);

// Reads a number typed into an entry box. Blanks before and after it are allowed; it may have a
// sign, digits with one decimal point ("." always, and the regional separator too) and an
// exponent ("1e0"). Anything else, including an empty text, a value too large for a double,
// "nan", "inf", hexadecimal forms and digit grouping, is not a number. Negative zero is read as 0.
[[nodiscard]] std::optional<double> ReadNumber(std::string_view text, char regionalSeparator = '.');

}  // namespace bis
