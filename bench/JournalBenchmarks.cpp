#include "JournalBenchmarks.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "files/Journal.h"
#include "platform/QtJournalStore.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kJudges = 32767;
constexpr int kScores = 1000;
// One accepted score's journal must cost well under a frame at 60 Hz.
constexpr double kScoreLimitMilliseconds = 16.0;
constexpr double kResumeLimitMilliseconds = 1000.0;

const bis::JournalId kId{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

bis::JournalBegin Begin() {
    return {"Example Garden Club",
            "Springfield, Oregon",
            "07/11/2009",
            kJudges,
            {3, 5, 0, 2, 4, 0, 1, 6, 0, 2}};
}

// The journal of a whole show of kJudges judges: every eligible box scored, judge after judge.
std::string LargeJournal() {
    const bis::JournalBegin begin = Begin();
    std::string bytes = bis::JournalStart(kId, begin);
    for (int judge = 1;; ++judge) {
        for (std::int16_t c = 1; c <= bis::kCategoryCount; ++c) {
            if (begin.blooms[static_cast<std::size_t>(c - 1)] > 0) {
                const double score = ((judge * 7 + c * 3) % 11) * 0.5;
                bytes += bis::JournalRecordBytes(
                    kId, bis::JournalScore{c, std::to_string(score).substr(0, 3), '.'});
            }
        }
        if (judge == kJudges) {
            return bytes;
        }
        bytes += bis::JournalRecordBytes(kId, bis::JournalNextJudge{});
    }
}

}  // namespace

bool ReportJournalTimes() {
    // One accepted score: its record written at the end of the program's journal on the disk,
    // flushed, and the journal checked to be still at its path.
    QTemporaryDir folder;
    bis::QtJournalStore store(QDir(folder.path()).filePath(QStringLiteral("journals")));
    if (!folder.isValid() || !store.create(bis::JournalStart(kId, Begin())).ok()) {
        std::printf("the journal could not be created\n");
        return false;
    }
    std::vector<double> scores;
    for (int i = 0; i < kScores; ++i) {
        const auto category = static_cast<std::int16_t>(1 + i % 2);
        const std::string record =
            bis::JournalRecordBytes(kId, bis::JournalScore{category, "2.5", '.'});
        const auto start = Clock::now();
        if (!store.append(record).ok()) {
            std::printf("the journal could not be written\n");
            return false;
        }
        scores.push_back(Milliseconds(Clock::now() - start));
    }
    store.remove();
    std::sort(scores.begin(), scores.end());

    // Resuming: the journal of a whole show of kJudges judges replayed, the best of three.
    const std::string journal = LargeJournal();
    double resume = 1e9;
    bool resumable = true;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        const bis::ReplayedJournal replayed = bis::ReplayJournal(journal);
        resume = std::min(resume, Milliseconds(Clock::now() - start));
        resumable = resumable && replayed.validLength == journal.size();
    }

    const double median = scores[scores.size() / 2];
    const double worst = scores.back();
    const bool withinLimits =
        resumable && worst < kScoreLimitMilliseconds && resume < kResumeLimitMilliseconds;
    std::printf(
        "\njournal: one accepted score written and flushed, of %d: median %.3f ms, worst "
        "%.3f ms (limit %.0f ms)\n",
        kScores, median, worst, kScoreLimitMilliseconds);
    std::printf("journal: resuming a show of %d judges (%zu bytes): %.1f ms (limit %.0f ms)%s\n",
                kJudges, journal.size(), resume, kResumeLimitMilliseconds,
                resumable ? "" : "  not every record was taken up");
    return withinLimits;
}
