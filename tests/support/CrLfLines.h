#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bis::testing {

// The bytes cut at every CR LF: each line without its line end, and last whatever follows the
// last line end, which is "" when the bytes end in one. Nothing is lost: the pieces joined with
// CR LF between them give the bytes back, so a test can tell a file whose last line ends in CR LF
// (the show file, the text report) from one whose last line does not (the CSV report).
[[nodiscard]] inline std::vector<std::string> CrLfLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = bytes.find("\r\n", at)) != std::string_view::npos; at = end + 2) {
        lines.emplace_back(bytes.substr(at, end - at));
    }
    lines.emplace_back(bytes.substr(at));
    return lines;
}

}  // namespace bis::testing
