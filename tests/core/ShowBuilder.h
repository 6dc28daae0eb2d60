#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/ShowRecord.h"

namespace bis::testing {

// A show for tests: blooms per category and each judge's ten scores. Row 0 of Scores is filled
// with each category's total, as the scorecard keeps it.
inline ShowRecord MakeShow(const std::array<int, kCategoryCount> &blooms,
                           const std::vector<std::array<double, kCategoryCount>> &judges) {
    ShowRecord show;
    show.Initialise();
    show.NumJudges = static_cast<std::int16_t>(judges.size());
    for (int c = 1; c <= kCategoryCount; ++c) {
        show.Blooms(c) = static_cast<std::int16_t>(blooms[c - 1]);
    }
    show.Scores.allocate(show.NumJudges);
    for (int j = 1; j <= show.NumJudges; ++j) {
        for (int c = 1; c <= kCategoryCount; ++c) {
            show.Scores(j, c) = judges[j - 1][c - 1];
            show.Scores(0, c) += judges[j - 1][c - 1];
        }
    }
    return show;
}

}  // namespace bis::testing
