#include "files/Reports.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/NumberText.h"
#include "files/Cp1252.h"
#include "files/ReportLayout.h"
#include "files/ScoreCells.h"
#include "tabulation/Tabulation.h"

namespace bis {

namespace {

constexpr const char *kTitle = "OXL BEST IN SHOW TABULATION";

// The four particulars lines that every report begins with, without their line ends.
std::array<std::string, 4> ParticularsLines(const ShowRecord &show) {
    return {"Sponsoring club: " + Cp1252FromUtf8(show.ClubName),
            "Show location: " + Cp1252FromUtf8(show.ShowLocation),
            "Show date: " + Cp1252FromUtf8(show.ShowDate),
            "Number of judges: " + CountText(show.NumJudges)};
}

// The four particulars lines, each after the margin, each ended.
void WriteParticulars(ColumnWriter &out, const ShowRecord &show, const std::string &margin) {
    for (const std::string &particular : ParticularsLines(show)) {
        out.text(margin);
        out.text(particular);
        out.endLine();
    }
}

void WriteLine(ColumnWriter &out, const char *text) {
    out.text(text);
    out.endLine();
}

// A CSV value row, ended: the label, then each eligible category's field and filler, and " ,  "
// for every other category.
template <typename Field>
void WriteCsvValueRow(ColumnWriter &out, const ShowRecord &show, const char *label, Field field) {
    out.text(label);
    for (int c = 1; c <= show.NumCategories; ++c) {
        if (show.Eligible(c)) {
            out.text(" , ");
            field(c);
            out.text(" _ ");
        } else {
            out.text(" ,  ");
        }
    }
    out.endLine();
}

// Adds the runs of one line of the page to the page, the line being its bytes from lineBegin in
// bytes: every stretch of non-blank bytes at the column it begins at. The line is Windows-1252; a
// run that is not plain ASCII is made UTF-8 and its bytes go to converted, which will follow
// bytes in the page's text.
void AddRuns(PrintPage &page, std::string_view bytes, std::size_t lineBegin, std::size_t lineSize,
             bool bold, std::string &converted) {
    const std::string_view line = bytes.substr(lineBegin, lineSize);
    std::size_t at = 0;
    for (;;) {
        // Report lines are mostly blanks: skip them eight at a time, then one by one.
        while (at + 8 <= line.size() && std::memcmp(line.data() + at, "        ", 8) == 0) {
            at += 8;
        }
        while (at < line.size() && line[at] == ' ') {
            ++at;
        }
        if (at == line.size()) {
            break;
        }
        const std::size_t begin = at;
        bool ascii = true;
        for (; at < line.size() && line[at] != ' '; ++at) {
            ascii = ascii && static_cast<unsigned char>(line[at]) < 0x80;
        }
        PrintRun &run = page.runs.emplace_back();
        run.column = static_cast<int>(begin) + 1;
        run.bold = bold;
        if (ascii) {
            run.begin = static_cast<std::uint32_t>(lineBegin + begin);
            run.size = static_cast<std::uint32_t>(at - begin);
        } else {
            const std::string utf8 = Utf8FromCp1252(line.substr(begin, at - begin));
            run.begin = static_cast<std::uint32_t>(bytes.size() + converted.size());
            run.size = static_cast<std::uint32_t>(utf8.size());
            converted += utf8;
        }
    }
    page.lineEnds.push_back(static_cast<std::uint32_t>(page.runs.size()));
}

PrintPage PrintedPage(const ShowRecord &show, const char *caption, int firstCategory,
                      int lastCategory, char separator) {
    const std::string margin(12, ' ');
    const int headWidth = HeadWidth(show);
    ColumnWriter out;
    const auto lines = static_cast<std::size_t>(std::max<int>(show.NumJudges, 0)) + 40;
    out.reserve(
        lines * static_cast<std::size_t>(27 + (lastCategory - firstCategory + 1) * (headWidth + 3)),
        lines);
    for (int i = 0; i < 8; ++i) {
        out.endLine();
    }
    const auto titleLine = out.lineCount() - 1;
    out.moveToColumn(40);
    out.text(kTitle);
    out.endLine();
    out.moveToColumn(48);
    out.text(Cp1252FromUtf8(show.ProgramVersion));
    out.endLine();
    const auto versionLine = out.lineCount() - 2;
    out.moveToColumn(70);
    out.text(caption);
    out.endLine();
    WriteParticulars(out, show, margin);
    out.endLine();

    const TableColumns columns{firstCategory, lastCategory, 27, headWidth, margin};
    WriteResultsTable(out, show, columns, separator);

    if (!out.line(out.lineCount() - 1).empty()) {
        out.endLine();
    }
    const std::size_t lineCount = out.lineCount() - 1;
    // The runs point into the page's text: the lines as written, then the UTF-8 bytes of the
    // runs that are not plain ASCII.
    PrintPage page;
    page.runs.reserve(lineCount * static_cast<std::size_t>(lastCategory - firstCategory + 2));
    page.lineEnds.reserve(lineCount);
    const std::string_view bytes = out.endedBytes();
    std::string converted;
    for (std::size_t i = 0; i < lineCount; ++i) {
        const std::string_view line = out.line(i);
        const bool bold = i >= titleLine && i <= versionLine;
        AddRuns(page, bytes, static_cast<std::size_t>(line.data() - bytes.data()), line.size(),
                bold, converted);
    }
    page.text = out.takeBytes();
    page.text += converted;
    return page;
}

}  // namespace

std::string TextReportBytes(const ShowRecord &show, char decimalSeparator) {
    const int headWidth = HeadWidth(show);
    ColumnWriter out;
    const auto lines = static_cast<std::size_t>(std::max<int>(show.NumJudges, 0)) + 40;
    out.reserve(lines * static_cast<std::size_t>(15 + show.NumCategories * (headWidth + 3)), lines);
    out.moveToColumn(30);
    out.text(kTitle);
    out.endLine();
    WriteParticulars(out, show, "");
    out.endLine();

    const TableColumns columns{1, show.NumCategories, 15, headWidth, ""};
    WriteResultsTable(out, show, columns, decimalSeparator);

    out.endLine();
    out.endLine();
    out.endLine();
    WriteLine(out,
              "If information does not fit on one line in Notepad, go to Edit and be sure Word "
              "Wrap is unchecked.");
    WriteLine(out,
              "If columns do not align correctly in Notepad, go to Edit, Set Font, and choose "
              "Fixedsys, Courier or some other fixed width font.");
    WriteLine(out,
              "Do not use this file to print the final report. Use the Print Report button in the "
              "Best of Show program.");
    return out.takeBytes();
}

std::string CsvReportBytes(const ShowRecord &show) {
    ColumnWriter out;
    const auto line = [&out](std::string_view text) {
        out.text(text);
        out.endLine();
    };
    // A judge row holds the number and at most 11 bytes per category.
    const auto lines = static_cast<std::size_t>(std::max<int>(show.NumJudges, 0)) + 20;
    out.reserve(lines * static_cast<std::size_t>(8 + show.NumCategories * 11), lines);
    line(kTitle);
    for (const std::string &particular : ParticularsLines(show)) {
        line(particular);
    }
    line("Underscores required for formatting; please ignore");
    line("");

    std::string top = "Judge's";
    std::string bottom = "Scores";
    for (int c = 1; c <= show.NumCategories; ++c) {
        const auto heading = SplitCategoryName(show.CategoryName(c));
        top += " , " + Cp1252FromUtf8(heading.top);
        bottom += " , " + Cp1252FromUtf8(heading.bottom);
    }
    line(top);
    line(bottom);
    line("");

    ScoreCells cells('.', [](std::string_view scoreField, bool starred) {
        return " , " + std::string(scoreField) + (starred ? " * " : " _ ");
    });
    for (int j = 1; j <= show.NumJudges; ++j) {
        out.countField(j, 0);
        const auto scores = show.Scores.row(j);
        const auto starred = show.Starred.row(j);
        for (int c = 1; c <= show.NumCategories; ++c) {
            if (show.Eligible(c)) {
                cells.write(out, scores[c - 1], starred[c - 1] == 1);
            } else {
                out.text(" , ");
            }
        }
        out.endLine();
    }
    line("");

    line("POINTS");
    WriteCsvValueRow(out, show, "DEDUCTED",
                     [&](int c) { out.scoreField(show.Scores(0, c), '.', 5); });
    line("");
    line("Blooms");
    WriteCsvValueRow(out, show, "per scape", [&](int c) { out.countField(show.Blooms(c), 3); });
    line("");
    line("Starred");
    WriteCsvValueRow(out, show, "entries",
                     [&](int c) { out.countField(show.StarredEntries(c), 3); });
    line("");

    const std::string result = BestResultText(show);
    out.text("RESULT");
    for (int c = 1; c <= show.NumCategories; ++c) {
        out.text(" , ");
        if (show.Winner(c) == 1) {
            out.text(result);
        }
    }
    return out.takeBytes();
}

PrintedReport PrintedReportPages(const ShowRecord &show, char decimalSeparator) {
    PrintedReport report;
    report.pages.push_back(
        PrintedPage(show, "Left hand panel", 1, kCategoriesPerColumn, decimalSeparator));
    report.pages.push_back(PrintedPage(show, "Right hand panel", kCategoriesPerColumn + 1,
                                       show.NumCategories, decimalSeparator));
    return report;
}

}  // namespace bis
