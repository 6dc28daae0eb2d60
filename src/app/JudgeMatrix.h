#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <vector>

#include "app/CategoryArray.h"

namespace bis {

// A matrix indexed (judge, category): judges FirstRow..lastJudge, categories 1..10.
template <typename T, int FirstRow>
class JudgeMatrix {
  public:
    // Replaces the matrix by rows FirstRow..lastJudge, every element 0. Nothing of the old
    // contents survives.
    void allocate(int lastJudge) {
        rows_ = std::max(lastJudge - FirstRow + 1, 0);
        cells_.assign(static_cast<std::size_t>(rows_) * kCategoryCount, T{});
    }

    // The highest judge row held; rows above NumJudges may remain after a judge is removed.
    [[nodiscard]] int lastJudge() const { return rows_ + FirstRow - 1; }

    T &operator()(int judge, int category) { return cells_[index(judge, category)]; }
    const T &operator()(int judge, int category) const { return cells_[index(judge, category)]; }
    // The judge's row: category c at index c - 1.
    std::span<T, kCategoryCount> row(int judge) {
        return std::span<T, kCategoryCount>(&cells_[index(judge, 1)], kCategoryCount);
    }
    std::span<const T, kCategoryCount> row(int judge) const {
        return std::span<const T, kCategoryCount>(&cells_[index(judge, 1)], kCategoryCount);
    }

    friend bool operator==(const JudgeMatrix &, const JudgeMatrix &) = default;

  private:
    std::size_t index(int judge, int category) const {
        if (judge < FirstRow || judge >= FirstRow + rows_ || category < 1 ||
            category > kCategoryCount) {
            throw std::out_of_range("judge or category out of range");
        }
        return static_cast<std::size_t>(judge - FirstRow) * kCategoryCount +
               static_cast<std::size_t>(category - 1);
    }

    int rows_ = 0;
    std::vector<T> cells_;
};

}  // namespace bis
