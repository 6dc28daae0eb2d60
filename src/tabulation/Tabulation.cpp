#include "tabulation/Tabulation.h"

#include <limits>

namespace bis {

namespace {

// One more than the highest valid score, so any score a judge gives is lower.
constexpr double kAboveAnyScore = 6.0;

void StarJudgesLowestScores(ShowRecord &show) {
    for (int j = 1; j <= show.NumJudges; ++j) {
        double lowest = kAboveAnyScore;
        for (int c = 1; c <= show.NumCategories; ++c) {
            if (show.Eligible(c) && show.Scores(j, c) < lowest) {
                lowest = show.Scores(j, c);
            }
        }
        for (int c = 1; c <= show.NumCategories; ++c) {
            if (show.Eligible(c) && show.Scores(j, c) == lowest) {
                show.Starred(j, c) = 1;
            }
        }
    }
}

void CountStarredEntries(ShowRecord &show) {
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Blooms(c) == 0) {
            continue;
        }
        int count = 0;
        for (int j = 1; j <= show.NumJudges; ++j) {
            count += show.Starred(j, c);
        }
        show.StarredEntries(c) = static_cast<std::int16_t>(count);
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

    StarJudgesLowestScores(show);
    CountStarredEntries(show);
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
