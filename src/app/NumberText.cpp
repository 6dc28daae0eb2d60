#include "app/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "app/Blanks.h"
#include "app/NumberFields.h"

namespace bis {

std::string CountText(long value) {
    // Built by appending rather than by " " + text, which GCC 12 at -O2 flags with a false
    // -Wrestrict warning.
    std::string text = value < 0 ? std::string() : std::string(" ");
    text += std::to_string(value);
    return text;
}

char *WriteOtherScoreField(char *at, double value, char decimalSeparator, std::size_t width) {
    // Fixed notation with one decimal, rounded as printf's "%.1f" rounds in the C locale, but
    // without a heap buffer and whatever locale the process runs under.
    char text[kLongestScoreText];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    const auto length = result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - text) : 0;
    if (length >= 2 && text[length - 2] == '.') {
        text[length - 2] = decimalSeparator;
    }
    return std::copy_n(text, length, detail::BlanksBefore(at, length, width));
}

std::string ScoreText(double value, char decimalSeparator) {
    char text[kLongestScoreText];
    return std::string(text, WriteScoreField(text, value, decimalSeparator, 0));
}

std::string ShowFileNumber(double value) {
    if (value == 0.0) {
        return "0";
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc{}) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

namespace {

// The value of an unsigned number text in the form std::from_chars reads, with the sign given:
// nothing unless the whole text is read and the value is finite. Negative zero is read as 0.
std::optional<double> SignedValue(std::string_view text, bool negative) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> ReadPlainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool point = false;
    int digits = 0;
    int decimals = 0;
    std::uint64_t mantissa = 0;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            // Used only with at most 15 digits; past that the unsigned value may wrap harmlessly.
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(ch - '0');
            ++digits;
            decimals += point ? 1 : 0;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (digits > 15) {
        return SignedValue(text, negative);
    }
    // Both the digits and the power of ten are exact doubles, so the one division rounds exactly
    // as from_chars does; a show file's scores all take this way.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    if (value == 0.0) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::optional<double> ReadNumber(std::string_view text, char regionalSeparator) {
    text = TrimBlanks(text);

    if (const auto decimal = ReadPlainDecimal(text)) {
        return decimal;
    }

    // Build the plain form "[-]digits[.digits][e[-]digits]" and check the shape on the way.
    std::string plain;
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char ch = text[at];
        if (std::isdigit(static_cast<unsigned char>(ch))) {
            plain += ch;
            ++mantissaDigits;
        } else if ((ch == '.' || ch == regionalSeparator) && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            if (text[at] == '-') {
                plain += '-';
            }
            ++at;
        }
        int exponentDigits = 0;
        for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
            plain += text[at];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }

    return SignedValue(plain, negative);
}

}  // namespace bis
