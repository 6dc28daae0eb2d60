// Times reading the show file, tabulating and building the three reports for a show of 32767
// judges, the most a 16-bit judge count allows. Beside each operation runs a baseline that only
// reads or writes the same number of bytes, in pieces of the same size, so that the ratio says
// how much the work itself costs on top of moving the bytes. At the end a table lists the times
// and ratios; the program fails when an operation takes 0.1 s or more, or when its ratio exceeds
// its goal by more than a fifth, the room left for the noise of a shared machine.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "JournalBenchmarks.h"
#include "app/ShowRecord.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "support/CrLfLines.h"
#include "support/PageText.h"
#include "tabulation/Tabulation.h"

namespace {

using bis::ShowRecord;

constexpr int kJudges = 32767;
constexpr double kTimeLimitSeconds = 0.1;
// A ratio may exceed its operation's goal by this factor before the run fails.
constexpr double kGoalTolerance = 1.2;

// A show of kJudges judges with seven eligible categories. Every score is a multiple of 0.5
// from 0 to 5, and row 0 holds the column totals as the scorecard keeps them.
ShowRecord LargeShow() {
    ShowRecord show;
    show.Initialise();
    show.ClubName = "Example Garden Club";
    show.ShowLocation = "Springfield, Oregon";
    show.ShowDate = "07/11/2009";
    show.NumJudges = kJudges;
    const int blooms[bis::kCategoryCount] = {3, 5, 0, 2, 4, 0, 1, 6, 0, 2};
    for (int c = 1; c <= bis::kCategoryCount; ++c) {
        show.Blooms(c) = static_cast<std::int16_t>(blooms[c - 1]);
    }
    show.Scores.allocate(kJudges);
    for (int j = 1; j <= kJudges; ++j) {
        for (int c = 1; c <= bis::kCategoryCount; ++c) {
            if (show.Eligible(c)) {
                show.Scores(j, c) = ((j * 7 + c * 3) % 11) * 0.5;
                show.Scores(0, c) += show.Scores(j, c);
            }
        }
    }
    bis::Tabulate(show);
    return show;
}

const ShowRecord &Show() {
    static const ShowRecord show = LargeShow();
    return show;
}

// The lines of a report, without their CR LF. The empty piece after a last line end is left
// out, as the writing baseline ends every line it is given with CR LF itself.
std::vector<std::string> LinesOf(std::string_view bytes) {
    std::vector<std::string> lines = bis::testing::CrLfLines(bytes);
    if (lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<std::string> PrintedLines(const bis::PrintedReport &report) {
    std::vector<std::string> lines;
    for (const auto &page : report.pages) {
        for (auto &line : bis::PageText(page)) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

// Reading baseline: finds every line end of the bytes with memchr and touches each line once.
void ScanLines(benchmark::State &state, const std::string &bytes) {
    for (auto _ : state) {
        std::size_t total = 0;
        const char *at = bytes.data();
        const char *const end = at + bytes.size();
        while (at < end) {
            const void *lineEnd = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            const char *next = lineEnd ? static_cast<const char *>(lineEnd) + 1 : end;
            total += static_cast<std::size_t>(next - at) + static_cast<unsigned char>(*at);
            at = next;
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// Writing baseline: appends the given lines, each with CR LF, to a new string.
void AppendLines(benchmark::State &state, const std::vector<std::string> &lines) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        for (const auto &line : lines) {
            out += line;
            out += "\r\n";
        }
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// One timed operation, the baseline it is held against, and the ratio to the baseline it should
// stay within.
struct Operation {
    std::string name;
    std::function<void(benchmark::State &)> run;
    std::function<void(benchmark::State &)> baseline;
    double goal = 5.0;
};

// The outputs of the show, made once: the show file, and the lines of each report (the printed
// pages as the text they put on paper).
const std::string fileBytes = bis::ShowFileBytes(Show());
const std::vector<std::string> textLines = LinesOf(bis::TextReportBytes(Show()));
const std::vector<std::string> csvLines = LinesOf(bis::CsvReportBytes(Show()));
const std::vector<std::string> printedLines = PrintedLines(bis::PrintedReportPages(Show()));

// The bytes of the lines, each with CR LF.
std::size_t BytesOf(const std::vector<std::string> &lines) {
    std::size_t bytes = 0;
    for (const auto &line : lines) {
        bytes += line.size() + 2;
    }
    return bytes;
}

std::vector<Operation> Operations() {
    std::vector<Operation> operations;
    operations.push_back({"ReadShowFile",
                          [](benchmark::State &state) {
                              for (auto _ : state) {
                                  ShowRecord show;
                                  show.Initialise();
                                  if (!bis::ReadShowFile(fileBytes, show).ok()) {
                                      state.SkipWithError("the show file was not read");
                                      break;
                                  }
                                  benchmark::DoNotOptimize(show.NumJudges);
                              }
                              state.SetBytesProcessed(
                                  static_cast<std::int64_t>(state.iterations() * fileBytes.size()));
                          },
                          [](benchmark::State &state) { ScanLines(state, fileBytes); }, 3.0});
    operations.push_back({"Tabulate",
                          [](benchmark::State &state) {
                              ShowRecord show = Show();
                              for (auto _ : state) {
                                  bis::Tabulate(show);
                                  benchmark::DoNotOptimize(show.Winner(1));
                              }
                          },
                          // Reads as many doubles as the score matrix holds.
                          [](benchmark::State &state) {
                              const std::vector<double> scores((kJudges + 1) * bis::kCategoryCount,
                                                               0.5);
                              for (auto _ : state) {
                                  double sum = 0.0;
                                  for (const double score : scores) {
                                      sum += score;
                                  }
                                  benchmark::DoNotOptimize(sum);
                              }
                          },
                          1.5});
    operations.push_back({"TextReportBytes",
                          [](benchmark::State &state) {
                              for (auto _ : state) {
                                  const std::string bytes = bis::TextReportBytes(Show());
                                  benchmark::DoNotOptimize(bytes.data());
                              }
                          },
                          [](benchmark::State &state) { AppendLines(state, textLines); }});
    operations.push_back({"CsvReportBytes",
                          [](benchmark::State &state) {
                              for (auto _ : state) {
                                  const std::string bytes = bis::CsvReportBytes(Show());
                                  benchmark::DoNotOptimize(bytes.data());
                              }
                          },
                          [](benchmark::State &state) { AppendLines(state, csvLines); }});
    operations.push_back({"PrintedReportPages",
                          [](benchmark::State &state) {
                              for (auto _ : state) {
                                  const auto report = bis::PrintedReportPages(Show());
                                  benchmark::DoNotOptimize(report.pages.data());
                              }
                          },
                          [](benchmark::State &state) { AppendLines(state, printedLines); }});
    return operations;
}

// Prints the usual console output, without colours, and keeps for every benchmark the lowest CPU
// time per iteration over its repetitions, in seconds. The machine is shared: CPU time leaves out
// waiting, and the lowest of several repetitions leaves out most of the other programs'
// disturbance.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    CollectingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const auto &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred) {
                const double perIteration =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
                const auto [kept, added] =
                    seconds.emplace(run.run_name.function_name, perIteration);
                if (!added && perIteration < kept->second) {
                    kept->second = perIteration;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    const auto operations = Operations();
    for (const auto &operation : operations) {
        benchmark::RegisterBenchmark(operation.name.c_str(), operation.run)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((operation.name + "/baseline").c_str(), operation.baseline)
            ->Unit(benchmark::kMillisecond);
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool withinLimits = true;
    std::printf(
        "\n%d judges: show file %zu bytes; text report %zu, CSV report %zu and printed pages %zu "
        "bytes with CR LF\n",
        kJudges, fileBytes.size(), BytesOf(textLines), BytesOf(csvLines), BytesOf(printedLines));
    std::printf("%-20s %14s %14s %8s %6s\n", "operation", "CPU time (ms)", "baseline (ms)", "ratio",
                "goal");
    for (const auto &operation : operations) {
        const auto run = reporter.seconds.find(operation.name);
        const auto baseline = reporter.seconds.find(operation.name + "/baseline");
        if (run == reporter.seconds.end() || baseline == reporter.seconds.end()) {
            continue;
        }
        const double ratio = run->second / baseline->second;
        const bool tooSlow = run->second >= kTimeLimitSeconds;
        const bool tooCostly = ratio > operation.goal * kGoalTolerance;
        std::printf("%-20s %14.3f %14.3f %8.1f %6.1f%s%s\n", operation.name.c_str(),
                    run->second * 1e3, baseline->second * 1e3, ratio, operation.goal,
                    tooSlow ? "  takes 0.1 s or more" : "",
                    tooCostly ? "  over its goal by more than a fifth" : "");
        withinLimits = withinLimits && !tooSlow && !tooCostly;
    }
    withinLimits = ReportJournalTimes() && withinLimits;
    return withinLimits ? 0 : 1;
}
