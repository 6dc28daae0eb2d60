#include "files/ColumnWriter.h"

#include <algorithm>

#include "app/NumberFields.h"

namespace bis {

void ColumnWriter::moveToColumn(int column) {
    const auto target = static_cast<std::size_t>(std::max(column - 1, 0));
    if (used_ - lineStarts_.back() > target) {
        endLine();
    }
    const std::size_t blanks = target - (used_ - lineStarts_.back());
    char *const at = room(std::max<std::size_t>(blanks, 8));
    used_ = static_cast<std::size_t>(WriteBlanks(at, blanks) - bytes_.data());
}

std::string_view ColumnWriter::line(std::size_t i) const {
    const std::size_t start = lineStarts_.at(i);
    const std::size_t end = i + 1 < lineStarts_.size() ? lineStarts_[i + 1] - 2 : used_;
    return std::string_view(bytes_).substr(start, end - start);
}

}  // namespace bis
