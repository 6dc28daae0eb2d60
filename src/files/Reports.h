#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ShowRecord.h"

namespace bis {

// The reports read the record and the results the tabulation left in it (Starred,
// StarredEntries, Winner); they never tabulate themselves. All bytes are Windows-1252.

// The text report for viewing: title block, the results table over all ten categories with its
// first column at 15, three closing line ends and three notes; every line ends with CR LF.
[[nodiscard]] std::string TextReportBytes(const ShowRecord &show, char decimalSeparator = '.');

// The CSV report: cells separated by " , ", every line ended by CR LF except the last. Scores
// always use "." as the decimal point, since a decimal comma would split the cells.
[[nodiscard]] std::string CsvReportBytes(const ShowRecord &show);

// One piece of printed text: it begins at the 1-based character column of the page's
// fixed-width font. Its bytes are the page's text from begin, UTF-8, with no blanks at either
// end.
struct PrintRun {
    int column = 1;
    std::uint32_t begin = 0;
    std::uint32_t size = 0;
    bool bold = false;
};

// One printed page: its runs line after line, and the bytes they show. A line with no runs is
// empty. text holds the page's lines as written, in Windows-1252, then the UTF-8 bytes of the runs
// that are not plain ASCII; read a run's bytes only through textOf, which gives them in UTF-8.
struct PrintPage {
    std::string text;
    std::vector<PrintRun> runs;
    // Where each line's runs end in runs: line i holds those from lineEnds[i - 1] (0 for the
    // first) to lineEnds[i].
    std::vector<std::uint32_t> lineEnds;

    [[nodiscard]] std::size_t lineCount() const { return lineEnds.size(); }
    [[nodiscard]] std::span<const PrintRun> line(std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : lineEnds[i - 1];
        return std::span<const PrintRun>(runs).subspan(begin, lineEnds[i] - begin);
    }
    [[nodiscard]] std::string_view textOf(const PrintRun &run) const {
        return std::string_view(text).substr(run.begin, run.size);
    }
};

// The printed report as it should stand on paper: two pages, "Left hand panel" with categories
// 1-5 and "Right hand panel" with 6-10, in "Courier New" 10 point.
struct PrintedReport {
    std::string fontName = "Courier New";
    int pointSize = 10;
    std::vector<PrintPage> pages;
};

[[nodiscard]] PrintedReport PrintedReportPages(const ShowRecord &show, char decimalSeparator = '.');

}  // namespace bis
