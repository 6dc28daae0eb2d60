#include "files/ScoreCells.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/NumberFields.h"

namespace bis {

std::string ScoreCells::ScoreField(double score, char decimalSeparator) {
    char field[kLongestScoreText];
    return {field, WriteScoreField(field, score, decimalSeparator, 5)};
}

ScoreCells::ScoreCells(char decimalSeparator, MakeCell makeCell)
    : decimalSeparator_(decimalSeparator), makeCell_(std::move(makeCell)) {
    for (std::size_t halves = 0; halves < ballotCells_.size(); ++halves) {
        const std::string field = ScoreField(static_cast<double>(halves) / 2, decimalSeparator);
        for (const bool starred : {false, true}) {
            const std::string cell = makeCell_(field, starred);
            ShortText &text = ballotCells_[halves][starred ? 1 : 0];
            if (cell.size() > text.bytes.size()) {
                throw std::length_error("a judge row's cell is longer than a short text");
            }
            std::copy(cell.begin(), cell.end(), text.bytes.begin());
            text.size = cell.size();
        }
    }
}

}  // namespace bis
