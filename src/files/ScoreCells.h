#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "files/ColumnWriter.h"

namespace bis {

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

}  // namespace bis
