#pragma once

#include <string_view>

namespace bis {

// The text without the blanks before and after it. Only the blank itself counts: entry boxes
// and show files have always been read that way.
[[nodiscard]] constexpr std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// True when the text holds nothing but blanks (or nothing at all).
[[nodiscard]] constexpr bool IsBlank(std::string_view text) {
    return TrimBlanks(text).empty();
}

}  // namespace bis
