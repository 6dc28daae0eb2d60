#pragma once

#include <string>

#include "app/ShowRecord.h"

namespace bis {

// Decides Best in Show from the ballots: fills Starred, StarredEntries and Winner of the record.
// Reads row 0 of Scores (the category totals) as it stands, without recomputing it. Only judges
// 1..NumJudges and categories with blooms take part. Never fails and shows nothing.
void Tabulate(ShowRecord &show);

// The number of categories whose Winner flag is 1.
[[nodiscard]] int WinnerCount(const ShowRecord &show);

// "Best in Show" when exactly one category won, "Best (tie)" for any other count.
[[nodiscard]] std::string BestResultText(const ShowRecord &show);

}  // namespace bis
