#pragma once

#include <cstdint>
#include <string>

#include "app/CategoryArray.h"
#include "app/JudgeArray.h"
#include "app/JudgeMatrix.h"
#include "app/ProgramVersion.h"

namespace bis {

// The screens and the printed report lay the categories out in two columns, panels or pages of
// five: 1 to 5, then 6 to 10.
inline constexpr int kCategoriesPerColumn = (kCategoryCount + 1) / 2;

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
