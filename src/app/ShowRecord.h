#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ProgramVersion.h"

namespace bis {

// The show always has these ten categories; every per-category array, control array and show
// file uses the category numbers 1..10.
inline constexpr int kCategoryCount = 10;

// The screens and the printed report lay the categories out in two columns, panels or pages of
// five: 1 to 5, then 6 to 10.
inline constexpr int kCategoriesPerColumn = (kCategoryCount + 1) / 2;

// A per-category array indexed by category number 1..10. There is no element 0: asking for it,
// or for 11, is a programming error and throws std::out_of_range.
template <typename T>
class CategoryArray {
  public:
    T &operator()(int category) { return items_[index(category)]; }
    const T &operator()(int category) const { return items_[index(category)]; }

    // Gives every element the value a fresh allocation has (0 or empty text).
    void reset() { items_.fill(T{}); }

  private:
    static std::size_t index(int category) {
        if (category < 1 || category > kCategoryCount) {
            throw std::out_of_range("category number out of range");
        }
        return static_cast<std::size_t>(category - 1);
    }

    std::array<T, kCategoryCount> items_{};
};

// A per-judge array indexed by judge number 1..lastJudge, allocated as a whole.
template <typename T>
class JudgeArray {
  public:
    // Replaces the array by judges 1..lastJudge, every element 0. A count below 1 gives an
    // empty array.
    void allocate(int lastJudge) {
        items_.assign(static_cast<std::size_t>(std::max(lastJudge, 0)), T{});
    }

    [[nodiscard]] int lastJudge() const { return static_cast<int>(items_.size()); }

    T &operator()(int judge) { return items_.at(index(judge)); }
    const T &operator()(int judge) const { return items_.at(index(judge)); }

  private:
    static std::size_t index(int judge) {
        if (judge < 1) {
            throw std::out_of_range("judge number out of range");
        }
        return static_cast<std::size_t>(judge - 1);
    }

    std::vector<T> items_;
};

// A matrix indexed (judge, category): judges firstRow..lastJudge, categories 1..10.
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

// The one record of the show being tabulated. Every screen reads and writes it directly; the
// reports and the show file writer only read it. Texts are held as UTF-8.
struct ShowRecord {
    CategoryArray<std::int16_t> Blooms;
    std::int16_t NumJudges = 0;
    std::int16_t NumCategories = 0;
    // Row 0 holds each category's total, rows 1..NumJudges the judges' scores.
    JudgeMatrix<double, 0> Scores;
    CategoryArray<std::int16_t> StarredEntries;
    CategoryArray<std::string> CategoryName;
    JudgeArray<std::int16_t> BallotEntered;
    JudgeMatrix<std::int16_t, 1> Starred;
    CategoryArray<std::int16_t> Winner;
    std::string ClubName;
    std::string ShowLocation;
    std::string ShowDate;
    std::int16_t ReportSaved = 0;
    std::string ProgramVersion;

    // Gives the whole record its start-up values, whatever an earlier show left in it: ten
    // categories with their fixed names and the version text; no judges, no scores, BallotEntered
    // and Starred unallocated, every per-category array 0, empty particulars and ReportSaved 0.
    // The introduction screen calls it when it loads, and the command line before it reads the
    // show file.
    void Initialise();

    // True when category c has an eligible entry (at least one bloom).
    [[nodiscard]] bool Eligible(int category) const { return Blooms(category) > 0; }
};

// The fixed name of category 1..10.
[[nodiscard]] const char *FixedCategoryName(int category);

}  // namespace bis
