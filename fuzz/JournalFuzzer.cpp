// Feeds arbitrary bytes to the journal's reader. Whatever the bytes hold, a journal it takes up
// must give a show the scorecard could have made: judges and scores in range, every total the
// sum of its category, the judge on screen among the judges. The show must tabulate and give
// its reports, be read back the same from its show file, and reading only the part the reader
// kept must give the same. Any breach aborts, so libFuzzer keeps the input.
//
// A mutation almost never keeps a record's check, so the mutator mends the checks of the header
// and of every framed record after most mutations: the records' rules are then what stops the
// reader, not their checks.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "files/Journal.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "tabulation/Tabulation.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

namespace {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kFrameSize = 8;
// The most judges a resumed show may have for it to be written, read back and reported.
constexpr int kJudgesReadBack = 12;

std::uint32_t ReadU32(const std::uint8_t *bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void PutU32(std::uint8_t *bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::string_view View(const std::uint8_t *bytes, std::size_t size) {
    return {reinterpret_cast<const char *>(bytes), size};
}

// Gives the header and every record that its length frames the checks they would have if they
// were written so, and the header the length of the set-up record that follows it.
void MendChecks(std::uint8_t *data, std::size_t size) {
    if (size < kHeaderSize) {
        return;
    }
    if (size >= kHeaderSize + kFrameSize) {
        PutU32(data + kHeaderSize - 8, ReadU32(data + kHeaderSize));
    }
    PutU32(data + kHeaderSize - 4, bis::Crc32(View(data, kHeaderSize - 4)));
    bis::JournalId id;
    std::copy(data + 12, data + 28, id.begin());
    for (std::size_t at = kHeaderSize; size - at >= kFrameSize;) {
        const std::uint32_t length = ReadU32(data + at);
        if (length == 0 || length > size - at - kFrameSize) {
            return;
        }
        PutU32(data + at + 4, bis::JournalRecordCheck(id, View(data + at, 4),
                                                      View(data + at + kFrameSize, length)));
        at += kFrameSize + length;
    }
}

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
    const bis::ScorecardState &card = journal.scorecard;
    if (card.currentJudge < 1 || card.currentJudge > show.NumJudges ||
        (card.removeShown && card.currentJudge >= show.NumJudges) || card.lastBoxLeft < 0 ||
        card.lastBoxLeft > bis::kCategoryCount ||
        (journal.tabulated && card.currentJudge != show.NumJudges)) {
        Fail("the scorecard is somewhere the buttons never lead");
    }
    // Judges come on screen one record at a time, so the rows past those the records reached are
    // as the scorecard made them, all 0.
    const int reached = std::min(show.Scores.lastJudge(), static_cast<int>(journal.records) + 1);
    for (int c = 1; c <= bis::kCategoryCount; ++c) {
        double sum = 0.0;
        for (int judge = 1; judge <= reached; ++judge) {
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

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 8 != 0) {
        MendChecks(data, size);
    }
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const bis::ReplayedJournal journal = bis::ReplayJournal(bytes);
    if (journal.validLength > size) {
        Fail("the valid part is longer than the journal");
    }
    using Outcome = bis::ReplayedJournal::Outcome;
    if (journal.outcome != Outcome::Resumable) {
        if (journal.records != 0 && journal.outcome != Outcome::Closed) {
            Fail("records counted in a journal that cannot be resumed");
        }
        return 0;
    }
    if (journal.stoppedAt != journal.records + 1) {
        Fail("reading stopped elsewhere than after the records it read");
    }
    CheckShow(journal);
    const bis::ReplayedJournal kept = bis::ReplayJournal(bytes.substr(0, journal.validLength));
    if (kept.records != journal.records || kept.validLength != journal.validLength) {
        Fail("the part kept reads differently on its own");
    }
    // The show file, its read-back and the reports of a show cost time in proportion to its
    // judges, and a mutation of two bytes can give it thousands: past a few judges they would
    // only slow the fuzzer down, and the large-show tests read such shows back.
    if (journal.show.NumJudges > kJudgesReadBack) {
        return 0;
    }
    const std::string showFile = bis::ShowFileBytes(journal.show);
    bis::ShowRecord recalled;
    recalled.Initialise();
    if (!bis::ReadShowFile(showFile, recalled).ok() || bis::ShowFileBytes(recalled) != showFile) {
        Fail("the show file of a resumed show does not read back the same");
    }
    if (bis::ShowFileBytes(kept.show) != showFile) {
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
