#pragma once

#include <cstddef>
#include <cstring>

namespace bis {

// The number fields of the reports: a number right-aligned with blanks in a field of a given
// width, written straight into the report's buffer. The reports write hundreds of thousands of
// them, so the common cases are inline here. A text longer than its field is kept whole.

// The most bytes a score's text can take, for any double (the largest has 309 digits before the
// point).
inline constexpr std::size_t kLongestScoreText = 320;
// The most bytes a whole number's text can take.
inline constexpr std::size_t kLongestCountText = 24;

// Writes count blanks and gives their end. There must be room for at least eight bytes: a few
// blanks are stored at once, and what follows is written over the ones not needed.
inline char *WriteBlanks(char *at, std::size_t count) {
    if (count <= 8) {
        std::memcpy(at, "        ", 8);
    } else {
        std::memset(at, ' ', count);
    }
    return at + count;
}

namespace detail {

inline std::size_t DigitCount(unsigned long long value) {
    std::size_t digits = 1;
    for (; value >= 10; value /= 10) {
        ++digits;
    }
    return digits;
}

// Writes the digits of the value so that they end at end; gives where they begin.
inline char *DigitsBefore(char *end, unsigned long long value) {
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return end;
}

// Writes the blanks that right-align a text of the given length in a field of the given width,
// and gives where the text goes.
inline char *BlanksBefore(char *at, std::size_t length, std::size_t width) {
    return length < width ? WriteBlanks(at, width - length) : at;
}

}  // namespace detail

// WriteScoreField for a value that is not a multiple of 0.5 below 10^15 halves.
char *WriteOtherScoreField(char *at, double value, char decimalSeparator, std::size_t width);

// Writes ScoreText(value, decimalSeparator) right-aligned with blanks in a field of the given
// width at `at`, and gives the end of what it wrote. There must be room for the larger of width and
// kLongestScoreText bytes.
inline char *WriteScoreField(char *at, double value, char decimalSeparator, std::size_t width) {
    // Every score and total is a multiple of 0.5, whose one-decimal text is exact: the whole
    // part, the separator, then 0 or 5. Negative zero gives "0.0", never "-0.0".
    const double halves = value * 2.0;
    const bool small = (halves < 0 ? -halves : halves) < 1e15;
    const auto count = small ? static_cast<long long>(halves) : 0;
    if (!small || static_cast<double>(count) != halves) {
        return WriteOtherScoreField(at, value, decimalSeparator, width);
    }
    const auto magnitude = static_cast<unsigned long long>(count < 0 ? -count : count);
    const std::size_t length = (count < 0 ? 1 : 0) + detail::DigitCount(magnitude / 2) + 2;
    char *const end = detail::BlanksBefore(at, length, width) + length;
    end[-1] = magnitude % 2 != 0 ? '5' : '0';
    end[-2] = decimalSeparator;
    char *const digits = detail::DigitsBefore(end - 2, magnitude / 2);
    if (count < 0) {
        digits[-1] = '-';
    }
    return end;
}

// Writes the whole number in plain decimal digits, with a minus sign when negative, in a field of
// the given width, and gives the end. There must be room for the larger of width and
// kLongestCountText bytes.
inline char *WriteCountField(char *at, long value, std::size_t width) {
    const auto magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                     : static_cast<unsigned long long>(value);
    const std::size_t length = (value < 0 ? 1 : 0) + detail::DigitCount(magnitude);
    char *const end = detail::BlanksBefore(at, length, width) + length;
    char *const digits = detail::DigitsBefore(end, magnitude);
    if (value < 0) {
        digits[-1] = '-';
    }
    return end;
}

}  // namespace bis
