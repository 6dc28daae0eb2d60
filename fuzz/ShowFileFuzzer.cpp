// Feeds arbitrary bytes to the show file reader. A file the reader refuses must leave the record
// as it was; a file it accepts must tabulate, give all three reports, and save to bytes that read
// back as the very same show. Any breach aborts, so libFuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ShowRecord.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "tabulation/Tabulation.h"

namespace {

// The fields the show file holds, and ReportSaved, which reading sets.
bool SameFileFields(const bis::ShowRecord &a, const bis::ShowRecord &b) {
    if (a.ClubName != b.ClubName || a.ShowLocation != b.ShowLocation || a.ShowDate != b.ShowDate ||
        a.NumJudges != b.NumJudges || a.NumCategories != b.NumCategories ||
        a.ReportSaved != b.ReportSaved || !(a.Scores == b.Scores)) {
        return false;
    }
    for (int c = 1; c <= bis::kCategoryCount; ++c) {
        if (a.Blooms(c) != b.Blooms(c)) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void Fail(const char *what) {
    std::fprintf(stderr, "show file fuzzer: %s\n", what);
    std::abort();
}

bis::ShowRecord FreshRecord() {
    bis::ShowRecord show;
    show.Initialise();
    return show;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const bis::ShowRecord untouched = FreshRecord();

    bis::ShowRecord show = FreshRecord();
    if (!bis::ReadShowFile(bytes, show).ok()) {
        if (!SameFileFields(show, untouched)) {
            Fail("a refused file changed the record");
        }
        return 0;
    }

    bis::Tabulate(show);
    bool anyEligible = false;
    for (int c = 1; c <= bis::kCategoryCount; ++c) {
        anyEligible = anyEligible || show.Eligible(c);
        if (show.Eligible(c) &&
            (show.StarredEntries(c) < 0 || show.StarredEntries(c) > show.NumJudges)) {
            Fail("a star count is out of range");
        }
        if (show.Winner(c) == 1 && !show.Eligible(c)) {
            Fail("a category without blooms won");
        }
    }
    if (anyEligible != (bis::WinnerCount(show) > 0)) {
        Fail("a show with eligible categories has no winner, or one without has a winner");
    }
    const std::string text = bis::TextReportBytes(show);
    const std::string textWithComma = bis::TextReportBytes(show, ',');
    const std::string csv = bis::CsvReportBytes(show);
    const bis::PrintedReport printed = bis::PrintedReportPages(show);
    if (text.empty() || textWithComma.empty() || csv.empty() || printed.pages.size() != 2) {
        Fail("a report came out empty");
    }

    const std::string saved = bis::ShowFileBytes(show);
    bis::ShowRecord again = FreshRecord();
    if (!bis::ReadShowFile(saved, again).ok()) {
        Fail("a saved show cannot be read back");
    }
    if (!SameFileFields(show, again)) {
        Fail("a saved show reads back different");
    }
    if (bis::ShowFileBytes(again) != saved) {
        Fail("saving a recalled show gives other bytes");
    }
    return 0;
}
