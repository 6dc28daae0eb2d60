#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/ShowRecord.h"

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

// Builds report lines of Windows-1252 text, one byte per column, by the move-to-column rule:
// blanks up to the column; nothing when the line already reaches it; and when the line is
// already past it, a new line that begins with blanks up to the column. The lines are kept in one
// buffer, each ended line followed by CR LF.
class ColumnWriter {
  public:
    ColumnWriter() : lineStarts_{0} {}

    // Appends text to the current line.
    void text(std::string_view bytes) { bytes_ += bytes; }
    // Appends a score right-aligned in a field of the given width (see AppendScoreField).
    void scoreField(double value, char decimalSeparator, std::size_t width);
    // Appends a whole number right-aligned in a field of the given width.
    void countField(long value, std::size_t width);
    // Makes room for about this many bytes and lines, so that a long report is not copied as it
    // grows.
    void reserve(std::size_t bytes, std::size_t lines) {
        bytes_.reserve(bytes);
        lineStarts_.reserve(lines);
    }
    // Moves to the 1-based column, by the rule above.
    void moveToColumn(int column);
    // Ends the current line; the next text starts a new one.
    void endLine();

    // The number of lines so far, the one being written included (empty after endLine).
    [[nodiscard]] std::size_t lineCount() const { return lineStarts_.size(); }
    // Line i, counted from 0, without its line end.
    [[nodiscard]] std::string_view line(std::size_t i) const;
    // Every ended line followed by CR LF; the line being written is left out.
    [[nodiscard]] std::string_view endedBytes() const {
        return std::string_view(bytes_).substr(0, lineStarts_.back());
    }

  private:
    std::string bytes_;
    // Where each line begins in bytes_; the last entry is the line being written.
    std::vector<std::size_t> lineStarts_;
};

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
