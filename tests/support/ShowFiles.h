#pragma once

#include <string>
#include <vector>

namespace bis::testing {

// The lines as a show file holds them, each ended with CR LF.
inline std::string Lines(const std::vector<std::string> &lines) {
    std::string bytes;
    for (const auto &line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// The first four lines of a show file, as they stand in the file.
struct ShowFileHead {
    std::string version = "\"Version 02.30\"";
    std::string club = "\"Club\"";
    std::string location = "\"Town\"";
    std::string date = "\"07/11/2009\"";
};

// The show file of one judge with 3 blooms in EXTRA LARGE and 1 in SEEDLING, the judge having
// deducted 1.5 points on EXTRA LARGE.
inline std::string OneJudgeFile(const ShowFileHead &head = {}) {
    std::vector<std::string> lines = {head.version, head.club, head.location, head.date, "1", "10"};
    const std::vector<std::string> blooms = {"3", "0", "0", "0", "0", "0", "0", "0", "0", "1"};
    lines.insert(lines.end(), blooms.begin(), blooms.end());
    // The category totals, then the judge's scores.
    for (int row = 0; row <= 1; ++row) {
        lines.push_back("1.5");
        lines.insert(lines.end(), 9, "0");
    }
    return Lines(lines);
}

}  // namespace bis::testing
