#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

namespace bis::testing {

// The columns of the reports as docs/file-formats.md gives them, counted from 1 at the start of
// each line. In the text report the first cell begins at column 15 and each further one W + 3 = 14
// columns on, W = 11 being the widest heading line of the fixed category names. On a printed page
// the five category columns begin at 27, 41, 55, 69 and 83, and a line that begins with a label or
// a judge number begins at column 13. In both, the values of the deducted, blooms and starred rows
// begin 2 columns into their cell.
inline constexpr int kTextFirstCell = 15;
inline constexpr int kPageFirstCell = 27;
inline constexpr int kCellStep = 14;
inline constexpr int kPageLabels = 13;
inline constexpr int kValueIndent = 2;

// Where category c's cell begins in the text report.
inline int TextColumn(int category) {
    return kTextFirstCell + kCellStep * (category - 1);
}

// Where the cell of the page's n-th category (1 to 5) begins on a printed page.
inline int PageColumn(int n) {
    return kPageFirstCell + kCellStep * (n - 1);
}

// The count characters of the line from the 1-based column on.
inline std::string At(const std::string &line, int column, std::size_t count) {
    return line.substr(static_cast<std::size_t>(column - 1), count);
}

// A line holding each text from its 1-based column on, with blanks in between, as the
// move-to-column rule lays it out.
inline std::string AtColumns(std::initializer_list<std::pair<int, std::string>> texts) {
    std::string line;
    for (const auto &[column, text] : texts) {
        const auto before = static_cast<std::size_t>(column - 1);
        EXPECT_LE(line.size(), before) << "the texts given overlap at column " << column;
        line.resize(before, ' ');
        line += text;
    }
    return line;
}

}  // namespace bis::testing
