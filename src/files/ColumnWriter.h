#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/NumberFields.h"

namespace bis {

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

}  // namespace bis
