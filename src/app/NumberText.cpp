#include "app/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace bis {

std::string CountText(long value) {
    // Built by appending rather than by " " + text, which GCC 12 at -O2 flags with a false
    // -Wrestrict warning.
    std::string text = value < 0 ? std::string() : std::string(" ");
    text += std::to_string(value);
    return text;
}

std::string ScoreText(double value, char decimalSeparator) {
    if (value == 0.0) {
        value = 0.0;  // never "-0.0"
    }
    std::string text(400, '\0');
    const int length = std::snprintf(text.data(), text.size(), "%.1f", value);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text[point] = decimalSeparator;
    }
    return text;
}

std::string RightAligned(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.insert(0, width - text.size(), ' ');
    }
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

std::optional<double> ReadNumber(std::string_view text, char regionalSeparator) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
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

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc{} || result.ptr != plain.data() + plain.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return 0.0;
    }
    return negative ? -value : value;
}

}  // namespace bis
