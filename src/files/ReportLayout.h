#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/NumberFields.h"
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

// A text of at most 16 bytes kept in room for 16, so that it is copied in one fixed-size move
// rather than byte by byte: the cells of the judge rows are such texts.
struct ShortText {
    std::array<char, 16> bytes{};
    std::size_t size = 0;
};

// Builds report lines of Windows-1252 text, one byte per column, by the move-to-column rule:
// blanks up to the column; nothing when the line already reaches it; and when the line is
// already past it, a new line that begins with blanks up to the column. The lines are kept in one
// buffer, each ended line followed by CR LF. The buffer is grown ahead of the writing, so that the
// many short pieces of a report are stored straight into it.
class ColumnWriter {
  public:
    ColumnWriter() : lineStarts_{0} {}

    // Appends text to the current line.
    void text(std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), room(bytes.size()));
        used_ += bytes.size();
    }
    // Appends a short text in one move of its whole room.
    void text(const ShortText &text) {
        std::memcpy(room(text.bytes.size()), text.bytes.data(), text.bytes.size());
        used_ += text.size;
    }
    // Appends a score right-aligned in a field of the given width (see WriteScoreField).
    void scoreField(double value, char decimalSeparator, std::size_t width) {
        char *const at = room(std::max(width, kLongestScoreText));
        used_ = static_cast<std::size_t>(WriteScoreField(at, value, decimalSeparator, width) -
                                         bytes_.data());
    }
    // Appends a whole number right-aligned in a field of the given width.
    void countField(long value, std::size_t width) {
        char *const at = room(std::max(width, kLongestCountText));
        used_ = static_cast<std::size_t>(WriteCountField(at, value, width) - bytes_.data());
    }
    // Makes room for about this many bytes and lines, so that a long report is not copied as it
    // grows.
    void reserve(std::size_t bytes, std::size_t lines) {
        room(bytes);
        lineStarts_.reserve(lines);
    }
    // Moves to the 1-based column, by the rule above.
    void moveToColumn(int column);
    // Ends the current line; the next text starts a new one.
    void endLine() {
        char *const at = room(2);
        at[0] = '\r';
        at[1] = '\n';
        used_ += 2;
        lineStarts_.push_back(used_);
    }

    // The number of lines so far, the one being written included (empty after endLine).
    [[nodiscard]] std::size_t lineCount() const { return lineStarts_.size(); }
    // Line i, counted from 0, without its line end.
    [[nodiscard]] std::string_view line(std::size_t i) const;
    // Every ended line followed by CR LF; the line being written is left out.
    [[nodiscard]] std::string_view endedBytes() const {
        return std::string_view(bytes_).substr(0, lineStarts_.back());
    }
    // Hands over every byte written, the line being written included; the writer is then spent.
    [[nodiscard]] std::string takeBytes() {
        bytes_.resize(used_);
        return std::move(bytes_);
    }

  private:
    // Where the next n bytes go; the caller stores them and adds them to used_.
    char *room(std::size_t n) {
        if (bytes_.size() - used_ < n) {
            bytes_.resize(std::max(bytes_.size() * 2, used_ + n));
        }
        return bytes_.data() + used_;
    }

    // The bytes written are the first used_ of bytes_; the rest is room for the next ones.
    std::string bytes_;
    std::size_t used_ = 0;
    // Where each line begins in bytes_; the last entry is the line being written.
    std::vector<std::size_t> lineStarts_;
};

// The cells of a report's judge rows: a score right-aligned in 5 characters with its star marker
// around it, as the report lays them out. A ballot's scores are the eleven multiples of 0.5 from 0
// to 5, and a large show has hundreds of thousands of them, so their cells are made once; any
// other value gets its cell made when it comes.
class ScoreCells {
  public:
    // Makes the cell of a score from the score's field and whether it is starred.
    using MakeCell = std::function<std::string(std::string_view scoreField, bool starred)>;

    ScoreCells(char decimalSeparator, MakeCell makeCell);

    // Appends the cell of the score.
    void write(ColumnWriter &out, double score, bool starred) {
        const double halves = score * 2;
        if (halves >= 0 && halves < static_cast<double>(ballotCells_.size()) &&
            halves == static_cast<double>(static_cast<int>(halves))) {
            out.text(ballotCells_[static_cast<std::size_t>(halves)][starred ? 1 : 0]);
        } else {
            out.text(makeCell_(ScoreField(score, decimalSeparator_), starred));
        }
    }

  private:
    // A score right-aligned in 5 characters.
    static std::string ScoreField(double score, char decimalSeparator);

    char decimalSeparator_;
    MakeCell makeCell_;
    // For 0, 0.5, ..., 5: the cell without its star, then with it.
    std::array<std::array<ShortText, 2>, 11> ballotCells_;
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
