#pragma once

#include "app/ShowRecord.h"
#include "tabulation/Tabulation.h"

namespace bis::testing {

// A tabulated show of the given number of judges with blooms in categories 1, 3, 5, 6, 9 and 10,
// varied scores (halves, a total of 10 or more, zeros), a club name with a comma and a character
// outside ASCII. Category 1 wins alone.
inline ShowRecord SampleShow(int judges = 3) {
    ShowRecord show;
    show.Initialise();
    show.ClubName = "Greenhouse Club, Ærø branch";
    show.ShowLocation = "Town Hall";
    show.ShowDate = "07/11/2009";
    show.NumJudges = static_cast<std::int16_t>(judges);
    const int blooms[kCategoryCount] = {3, 0, 5, 0, 1, 2, 0, 0, 4, 2};
    for (int c = 1; c <= kCategoryCount; ++c) {
        show.Blooms(c) = static_cast<std::int16_t>(blooms[c - 1]);
    }
    show.Scores.allocate(judges);
    show.BallotEntered.allocate(judges);
    for (int j = 1; j <= judges; ++j) {
        show.BallotEntered(j) = 1;
        for (int c = 1; c <= kCategoryCount; ++c) {
            if (show.Eligible(c)) {
                show.Scores(j, c) = c == 1 ? 0.5 : 0.5 * ((j * 3 + c) % 11);
                show.Scores(0, c) += show.Scores(j, c);
            }
        }
    }
    Tabulate(show);
    return show;
}

}  // namespace bis::testing
