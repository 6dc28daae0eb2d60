#include "tabulation/Tabulation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <utility>

namespace bis {

namespace {

// One more than the highest valid score, so any score a judge gives is lower.
constexpr double kAboveAnyScore = 6.0;

// Stars each judge's lowest score among the eligible categories, ties included, and counts the
// stars of every category with blooms. Each judge's row is read once.
void StarLowestScoresAndCount(ShowRecord &show) {
    std::array<std::size_t, kCategoryCount> eligible{};
    std::size_t eligibleCount = 0;
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Eligible(c)) {
            eligible[eligibleCount++] = static_cast<std::size_t>(c - 1);
        }
    }
    std::array<int, kCategoryCount> stars{};
    for (int j = 1; eligibleCount > 0 && j <= show.NumJudges; ++j) {
        const auto scores = std::as_const(show.Scores).row(j);
        const auto starred = show.Starred.row(j);
        double lowest = kAboveAnyScore;
        for (std::size_t i = 0; i < eligibleCount; ++i) {
            lowest = std::min(lowest, scores[eligible[i]]);
        }
        for (std::size_t i = 0; i < eligibleCount; ++i) {
            if (scores[eligible[i]] == lowest) {
                starred[eligible[i]] = 1;
                ++stars[eligible[i]];
            }
        }
    }
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Blooms(c) != 0) {
            show.StarredEntries(c) =
                static_cast<std::int16_t>(stars[static_cast<std::size_t>(c - 1)]);
        }
    }
}

// Marks every eligible category that reaches the lowest total. The search starts above any
// total, however many judges there are.
void MarkLowestTotals(ShowRecord &show) {
    double best = std::numeric_limits<double>::infinity();
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Eligible(c) && show.Scores(0, c) < best) {
            best = show.Scores(0, c);
        }
    }
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Eligible(c) && show.Scores(0, c) == best) {
            show.Winner(c) = 1;
        }
    }
}

// Keeps only the candidates whose measure is the largest among the candidates.
template <typename Measure>
void KeepLargest(ShowRecord &show, Measure measure) {
    int largest = 0;
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Winner(c) == 1 && measure(c) > largest) {
            largest = measure(c);
        }
    }
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Winner(c) == 1 && measure(c) < largest) {
            show.Winner(c) = 0;
        }
    }
}

}  // namespace

void Tabulate(ShowRecord &show) {
    show.Winner.reset();
    show.Starred.allocate(show.NumJudges);

    StarLowestScoresAndCount(show);
    MarkLowestTotals(show);
    KeepLargest(show, [&show](int c) { return static_cast<int>(show.Blooms(c)); });
    KeepLargest(show, [&show](int c) { return static_cast<int>(show.StarredEntries(c)); });
}

int WinnerCount(const ShowRecord &show) {
    int count = 0;
    for (int c = 1; c <= show.NumCategories; ++c) {
        count += show.Winner(c) == 1 ? 1 : 0;
    }
    return count;
}

std::string BestResultText(const ShowRecord &show) {
    return WinnerCount(show) == 1 ? "Best in Show" : "Best (tie)";
}

}  // namespace bis
