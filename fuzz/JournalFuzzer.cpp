// Feeds arbitrary bytes to the journal's reader. Whatever the bytes hold, a journal it takes up
// must give a show the scorecard could have made: judges and scores in range, every total the
// sum of its category, the judge on screen among the judges. The show must tabulate and give
// its reports, and reading only the part the reader kept must give the same. Any breach aborts,
// so libFuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/Journal.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "tabulation/Tabulation.h"

namespace {

[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "journal fuzzer: %s\n", what);
    std::abort();
}

void CheckShow(const bis::ReplayedJournal &journal) {
    const bis::ShowRecord &show = journal.show;
    if (show.NumJudges < 1 || show.Scores.lastJudge() < show.NumJudges ||
        show.BallotEntered.lastJudge() != show.Scores.lastJudge() || show.ReportSaved != 0) {
        Fail("the judges do not fit the ballots");
    }
    const bis::JournalScorecard &card = journal.scorecard;
    if (card.currentJudge < 1 || card.currentJudge > show.NumJudges ||
        (card.removeShown && card.currentJudge >= show.NumJudges) || card.lastBoxLeft < 0 ||
        card.lastBoxLeft > bis::kCategoryCount ||
        (journal.tabulated && card.currentJudge != show.NumJudges)) {
        Fail("the scorecard is somewhere the buttons never lead");
    }
    for (int c = 1; c <= bis::kCategoryCount; ++c) {
        double sum = 0.0;
        for (int judge = 1; judge <= show.Scores.lastJudge(); ++judge) {
            const double score = show.Scores(judge, c);
            if (score < 0.0 || score > 5.0 || score * 2.0 != static_cast<int>(score * 2.0) ||
                (score != 0.0 && !show.Eligible(c))) {
                Fail("a score the scorecard refuses");
            }
            if (judge <= show.NumJudges) {
                sum += score;
            }
        }
        if (show.Scores(0, c) != sum) {
            Fail("a total is not the sum of its ballots");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const bis::ReplayedJournal journal = bis::ReplayJournal(bytes);
    if (journal.validLength > size) {
        Fail("the valid part is longer than the journal");
    }
    if (journal.outcome != bis::ReplayedJournal::Outcome::Resumable) {
        if (journal.records != 0) {
            Fail("records counted in a journal that cannot be resumed");
        }
        return 0;
    }
    CheckShow(journal);
    const bis::ReplayedJournal kept = bis::ReplayJournal(bytes.substr(0, journal.validLength));
    if (kept.records != journal.records ||
        bis::ShowFileBytes(kept.show) != bis::ShowFileBytes(journal.show)) {
        Fail("the part kept reads differently on its own");
    }
    bis::ShowRecord show = journal.show;
    bis::Tabulate(show);
    if (bis::TextReportBytes(show).empty() || bis::CsvReportBytes(show).empty() ||
        bis::PrintedReportPages(show).pages.size() != 2) {
        Fail("a report of a resumed show came out empty");
    }
    return 0;
}
