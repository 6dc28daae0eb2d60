#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "ShowBuilder.h"
#include "tabulation/Tabulation.h"

namespace bis {
namespace {

using Row = std::array<double, kCategoryCount>;
using Counts = std::array<int, kCategoryCount>;

struct TabulationCase {
    const char *name;
    Counts blooms;
    std::vector<Row> judges;
    Counts starredEntries;  // compared for eligible categories only
    Counts winner;
    const char *result;
};

void PrintTo(const TabulationCase &c, std::ostream *out) {
    *out << c.name;
}

class TabulationTest : public ::testing::TestWithParam<TabulationCase> {};

TEST_P(TabulationTest, FindsTheWinners) {
    const auto &c = GetParam();
    ShowRecord show = testing::MakeShow(c.blooms, c.judges);
    Tabulate(show);
    for (int category = 1; category <= kCategoryCount; ++category) {
        if (c.blooms[category - 1] > 0) {
            EXPECT_EQ(show.StarredEntries(category), c.starredEntries[category - 1])
                << "starred entries of category " << category;
        } else {
            EXPECT_EQ(show.StarredEntries(category), 0) << "ineligible category " << category;
        }
        EXPECT_EQ(show.Winner(category), c.winner[category - 1]) << "category " << category;
    }
    EXPECT_EQ(BestResultText(show), c.result);
}

// Categories: 1 EXTRA LARGE, 2 LARGE, 3 SMALL, 4 MINIATURE, 5 DBL.+POLY.+ MULTI, 6 SPIDER,
// 7 UNUSUAL FORM, 8 YOUTH ENTRY, 9 POPULARITY POLL, 10 SEEDLING.
INSTANTIATE_TEST_SUITE_P(
    Shows, TabulationTest,
    ::testing::Values(
        TabulationCase{"ClearWin",
                       {0, 4, 6, 0, 0, 3, 0, 0, 0, 0},
                       {{0, 0.5, 1.0, 0, 0, 2.0, 0, 0, 0, 0},
                        {0, 1.0, 1.0, 0, 0, 0.5, 0, 0, 0, 0},
                        {0, 0.0, 2.5, 0, 0, 1.0, 0, 0, 0, 0}},
                       {0, 2, 0, 0, 0, 1, 0, 0, 0, 0},
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                       "Best in Show"},
        TabulationCase{"TieDecidedByBloomsBeforeStars",
                       {0, 6, 4, 0, 0, 0, 0, 0, 0, 0},
                       {{0, 1.0, 0.5, 0, 0, 0, 0, 0, 0, 0},
                        {0, 0.5, 1.5, 0, 0, 0, 0, 0, 0, 0},
                        {0, 1.5, 1.0, 0, 0, 0, 0, 0, 0, 0}},
                       {0, 1, 2, 0, 0, 0, 0, 0, 0, 0},
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                       "Best in Show"},
        TabulationCase{"TieDecidedByStarredEntries",
                       {0, 2, 4, 0, 0, 0, 0, 0, 0, 4},
                       {{0, 0.5, 1.0, 0, 0, 0, 0, 0, 0, 0.5},
                        {0, 2.0, 0.5, 0, 0, 0, 0, 0, 0, 1.5},
                        {0, 3.0, 1.0, 0, 0, 0, 0, 0, 0, 0.5}},
                       {0, 1, 1, 0, 0, 0, 0, 0, 0, 2},
                       {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
                       "Best in Show"},
        TabulationCase{"TieThatStands",
                       {5, 0, 0, 5, 0, 0, 0, 0, 0, 0},
                       {{0.5, 0, 0, 1.0, 0, 0, 0, 0, 0, 0}, {1.0, 0, 0, 0.5, 0, 0, 0, 0, 0, 0}},
                       {1, 0, 0, 1, 0, 0, 0, 0, 0, 0},
                       {1, 0, 0, 1, 0, 0, 0, 0, 0, 0},
                       "Best (tie)"},
        TabulationCase{"TieOfThree",
                       {3, 0, 3, 0, 3, 0, 0, 0, 0, 0},
                       {{0.5, 0, 1.0, 0, 1.5, 0, 0, 0, 0, 0},
                        {1.0, 0, 1.5, 0, 0.5, 0, 0, 0, 0, 0},
                        {1.5, 0, 0.5, 0, 1.0, 0, 0, 0, 0, 0}},
                       {1, 0, 1, 0, 1, 0, 0, 0, 0, 0},
                       {1, 0, 1, 0, 1, 0, 0, 0, 0, 0},
                       "Best (tie)"},
        TabulationCase{"SingleCategoryWinsWithHighestTotal",
                       {0, 0, 0, 0, 0, 0, 0, 2, 0, 0},
                       {{0, 0, 0, 0, 0, 0, 0, 5.0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 5.0, 0, 0}},
                       {0, 0, 0, 0, 0, 0, 0, 2, 0, 0},
                       {0, 0, 0, 0, 0, 0, 0, 1, 0, 0},
                       "Best in Show"},
        TabulationCase{"NoEligibleCategoryHasNoWinner",
                       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                       {{1.0, 0.5, 0, 0, 0, 0, 0, 0, 0, 0}},
                       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                       {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                       "Best (tie)"},
        TabulationCase{"IneligibleScoresNeverCount",
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 1},
                       {{0.0, 2.0, 0, 0, 0, 0, 0, 0, 0, 2.5}},
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                       "Best in Show"},
        TabulationCase{"CandidateLosingTieBreakHasNoResult",
                       {4, 4, 2, 0, 0, 0, 0, 0, 0, 0},
                       {{1.0, 1.5, 0.0, 0, 0, 0, 0, 0, 0, 0}, {1.0, 0.5, 2.0, 0, 0, 0, 0, 0, 0, 0}},
                       {0, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                       {0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                       "Best in Show"}),
    [](const ::testing::TestParamInfo<TabulationCase> &info) { return info.param.name; });

TEST(TabulationTest, JudgeStarsEveryCategoryWithTheirLowestScore) {
    ShowRecord show =
        testing::MakeShow({2, 4, 0, 0, 0, 0, 0, 0, 0, 4}, {{0.5, 1.0, 0.0, 0, 0, 0, 0, 0, 0, 0.5}});
    Tabulate(show);
    EXPECT_EQ(show.Starred(1, 1), 1);
    EXPECT_EQ(show.Starred(1, 2), 0);
    EXPECT_EQ(show.Starred(1, 3), 0) << "a score in an ineligible category is never starred";
    EXPECT_EQ(show.Starred(1, 10), 1);
}

TEST(TabulationTest, UsesRowZeroAsItStands) {
    ShowRecord show =
        testing::MakeShow({1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, {{1.0, 0.5, 0, 0, 0, 0, 0, 0, 0, 0}});
    show.Scores(0, 1) = 0.0;  // a total the judges' rows do not add up to
    Tabulate(show);
    EXPECT_EQ(show.Winner(1), 1);
    EXPECT_EQ(show.Winner(2), 0);
}

TEST(TabulationTest, TotalsOfThirtyThousandOrMoreStillWin) {
    ShowRecord show = testing::MakeShow({3, 3, 0, 0, 0, 0, 0, 0, 0, 0}, {});
    show.NumJudges = 1;
    show.Scores.allocate(1);
    show.Scores(0, 1) = 30000.0;
    show.Scores(0, 2) = 32000.5;
    Tabulate(show);
    EXPECT_EQ(show.Winner(1), 1);
    EXPECT_EQ(show.Winner(2), 0);
    EXPECT_EQ(BestResultText(show), "Best in Show");
}

TEST(TabulationTest, TabulatingAgainGivesTheSameResult) {
    ShowRecord show =
        testing::MakeShow({5, 0, 0, 5, 0, 0, 0, 0, 0, 0},
                          {{0.5, 0, 0, 1.0, 0, 0, 0, 0, 0, 0}, {1.0, 0, 0, 0.5, 0, 0, 0, 0, 0, 0}});
    Tabulate(show);
    const auto starred = show.Starred;
    Tabulate(show);
    EXPECT_EQ(show.Starred, starred);
    EXPECT_EQ(show.Winner(1), 1);
    EXPECT_EQ(show.Winner(4), 1);
    EXPECT_EQ(show.StarredEntries(1), 1);
}

TEST(TabulationTest, JudgesAboveTheCountTakeNoPart) {
    // Four judges were set up and the fourth removed: its row stays allocated but is ignored.
    ShowRecord show =
        testing::MakeShow({1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, {{1.0, 0.5, 0, 0, 0, 0, 0, 0, 0, 0},
                                                           {1.0, 0.5, 0, 0, 0, 0, 0, 0, 0, 0},
                                                           {0.0, 4.0, 0, 0, 0, 0, 0, 0, 0, 0}});
    show.NumJudges = 2;
    show.Scores(0, 1) = 2.0;
    show.Scores(0, 2) = 1.0;
    Tabulate(show);
    EXPECT_EQ(show.StarredEntries(2), 2);
    EXPECT_EQ(show.StarredEntries(1), 0);
    EXPECT_EQ(show.Starred.lastJudge(), 2);
}

}  // namespace
}  // namespace bis
