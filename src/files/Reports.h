#pragma once

#include <string>
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
// fixed-width font. Texts are UTF-8 and hold no blanks at either end.
struct PrintRun {
    int column = 1;
    std::string text;
    bool bold = false;

    friend bool operator==(const PrintRun &, const PrintRun &) = default;
};

// One printed line; an empty line has no runs.
struct PrintLine {
    std::vector<PrintRun> runs;
};

struct PrintPage {
    std::vector<PrintLine> lines;
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
