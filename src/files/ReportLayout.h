#pragma once

#include <string>

#include "app/ShowRecord.h"
#include "files/ColumnWriter.h"

namespace bis {

// The two heading lines of a category column: its name split at the first blank. A name
// without a blank has an empty top line and stands whole on the bottom line.
struct CategoryHeading {
    std::string top;
    std::string bottom;
};

[[nodiscard]] CategoryHeading SplitCategoryName(const std::string &name);

// The width of the widest heading line over all categories, eligible or not.
[[nodiscard]] int HeadWidth(const ShowRecord &show);

// Which categories a table covers and where their columns begin. The text report covers all ten
// with its first column at 15; each printed page covers five, starting at column 27.
struct TableColumns {
    int firstCategory = 1;
    int lastCategory = kCategoryCount;
    int firstColumnStart = 15;
    int headWidth = 0;
    // Written at the start of every line that begins with a label or a judge number.
    std::string leftMargin;

    // The 1-based column where category c's column begins (heading, star marker, result).
    [[nodiscard]] int columnStart(int category) const {
        return (headWidth + 3) * (category - firstCategory) + firstColumnStart;
    }
};

// Writes the results table shared by the text report and the printed pages: both heading lines,
// the judge rows, the deducted, blooms and starred rows and the result row, with an empty line
// after every group but the result row. The result row is "RESULT" and each winning category's
// result text at its column; each result text ends its line, so a second winner stands on a line
// of its own below the first. With a winner in the table the writer returns at the start of a
// fresh line; with none, the line "RESULT" is left open. Scores and totals use the decimal
// separator given.
void WriteResultsTable(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns,
                       char decimalSeparator);

}  // namespace bis
