#include "app/EntryChecks.h"

#include <cmath>
#include <limits>

#include "app/Blanks.h"
#include "app/NumberText.h"
#include "files/Cp1252.h"

namespace bis {

namespace {

// A whole number between the bounds; the value is compared before it is converted, so a huge
// number is refused rather than wrapped.
std::optional<std::int16_t> WholeCount(std::string_view text, char separator, double lowest) {
    const auto value = ReadNumber(text, separator);
    if (!value || std::floor(*value) != *value || *value < lowest ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

}  // namespace

std::optional<std::int16_t> JudgeCountEntry(std::string_view text, char separator) {
    return WholeCount(text, separator, 1.0);
}

std::optional<std::int16_t> BloomCountEntry(std::string_view text, char separator) {
    if (IsBlank(text)) {
        return std::int16_t{0};
    }
    return WholeCount(text, separator, 0.0);
}

std::optional<double> ScoreEntry(std::string_view text, char separator) {
    if (IsBlank(text)) {
        return 0.0;
    }
    const auto value = ReadNumber(text, separator);
    if (!value || *value < 0.0 || *value > 5.0) {
        return std::nullopt;
    }
    const double doubled = 2.0 * *value;
    if (std::floor(doubled) != doubled) {
        return std::nullopt;
    }
    return *value;
}

std::optional<std::string> ShowTextBytes(std::string_view utf8) {
    std::string bytes = Cp1252FromUtf8(utf8);
    // A character the code page lacks comes back as "?", and so does a byte that is not UTF-8.
    if (Utf8FromCp1252(bytes) != utf8 || bytes.find_first_of("\"\r\n") != std::string::npos) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace bis
