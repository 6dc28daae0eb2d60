#include "app/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

#include "app/Blanks.h"

namespace bis {

namespace {

// Appends the text right-aligned with blanks in a field of the given width; a longer text is kept
// whole.
void AppendAligned(std::string &out, const char *text, std::size_t length, std::size_t width) {
    if (length < width) {
        out.append(width - length, ' ');
    }
    out.append(text, length);
}

}  // namespace

std::string CountText(long value) {
    // Built by appending rather than by " " + text, which GCC 12 at -O2 flags with a false
    // -Wrestrict warning.
    std::string text = value < 0 ? std::string() : std::string(" ");
    text += std::to_string(value);
    return text;
}

void AppendScoreField(std::string &out, double value, char decimalSeparator, std::size_t width) {
    if (value == 0.0) {
        value = 0.0;  // never "-0.0"
    }
    // Fixed notation with one decimal, rounded as printf's "%.1f" rounds in the C locale, but
    // without a heap buffer and whatever locale the process runs under. The largest double has
    // 309 digits before the point.
    char buffer[320];
    std::size_t length = 0;
    const double halves = value * 2.0;
    if (std::abs(value) < 1e15 && halves == std::floor(halves)) {
        // Every score and total is a multiple of 0.5; its one-decimal text is exact and needs
        // no rounding: the whole part, then 0 or 5.
        const auto count = static_cast<long long>(halves);
        const auto whole = (count < 0 ? -count : count) / 2;
        char *at = buffer;
        if (count < 0) {
            *at++ = '-';
        }
        at = std::to_chars(at, buffer + sizeof buffer, whole).ptr;
        *at++ = '.';
        *at++ = count % 2 != 0 ? '5' : '0';
        length = static_cast<std::size_t>(at - buffer);
    } else {
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
        length = result.ec == std::errc{} ? static_cast<std::size_t>(result.ptr - buffer) : 0;
    }
    if (length >= 2 && buffer[length - 2] == '.') {
        buffer[length - 2] = decimalSeparator;
    }
    AppendAligned(out, buffer, length, width);
}

void AppendCountField(std::string &out, long value, std::size_t width) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendAligned(out, buffer, static_cast<std::size_t>(result.ptr - buffer), width);
}

std::string ScoreText(double value, char decimalSeparator) {
    std::string text;
    AppendScoreField(text, value, decimalSeparator, 0);
    return text;
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

// Reads a text of the form "[sign]digits[.digits]" with "." as the point, the form of every score
// in a show file, straight from the text; any other text gives nothing here.
std::optional<double> ReadPlainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool point = false;
    bool digit = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            digit = true;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    return SignedValue(text, negative);
}

}  // namespace

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
