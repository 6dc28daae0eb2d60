#include "files/ReportLayout.h"

#include <algorithm>
#include <string_view>

#include "files/Cp1252.h"
#include "files/ScoreCells.h"
#include "tabulation/Tabulation.h"

namespace bis {

CategoryHeading SplitCategoryName(const std::string &name) {
    const auto blank = name.find(' ');
    if (blank == std::string::npos) {
        return {"", name};
    }
    return {name.substr(0, blank), name.substr(blank + 1)};
}

int HeadWidth(const ShowRecord &show) {
    std::size_t width = 0;
    for (int c = 1; c <= show.NumCategories; ++c) {
        const auto heading = SplitCategoryName(show.CategoryName(c));
        width = std::max({width, heading.top.size(), heading.bottom.size()});
    }
    return static_cast<int>(width);
}

namespace {

void WriteHeadings(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns) {
    out.text(columns.leftMargin + "Judge's");
    for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
        out.moveToColumn(columns.columnStart(c));
        out.text(Cp1252FromUtf8(SplitCategoryName(show.CategoryName(c)).top));
    }
    out.endLine();
    out.text(columns.leftMargin + "Scores");
    for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
        out.moveToColumn(columns.columnStart(c));
        out.text(Cp1252FromUtf8(SplitCategoryName(show.CategoryName(c)).bottom));
    }
    out.endLine();
    out.endLine();
}

void WriteJudgeRows(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns,
                    char separator) {
    ScoreCells cells(separator, [](std::string_view scoreField, bool starred) {
        return (starred ? "* " : "  ") + std::string(scoreField);
    });
    for (int j = 1; j <= show.NumJudges; ++j) {
        out.text(columns.leftMargin);
        out.text("   ");
        out.countField(j, 0);
        const auto scores = show.Scores.row(j);
        const auto starred = show.Starred.row(j);
        for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
            if (!show.Eligible(c)) {
                continue;
            }
            out.moveToColumn(columns.columnStart(c));
            cells.write(out, scores[c - 1], starred[c - 1] == 1);
        }
        out.endLine();
    }
    out.endLine();
}

void WriteTotalsRows(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns,
                     char separator) {
    out.text(columns.leftMargin + "POINTS");
    out.endLine();
    out.text(columns.leftMargin + "DEDUCTED");
    for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
        if (show.Eligible(c)) {
            out.moveToColumn(columns.columnStart(c) + 2);
            out.scoreField(show.Scores(0, c), separator, 5);
        }
    }
    out.endLine();
    out.endLine();
}

// A row of counts: label line, then the second label and for every category its blank run and,
// when eligible, the count.
template <typename Count>
void WriteCountRows(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns,
                    const char *label, const char *secondLabel, const std::string &blankRun,
                    Count count) {
    out.text(columns.leftMargin + label);
    out.endLine();
    out.text(columns.leftMargin + secondLabel);
    for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
        out.text(blankRun);
        if (show.Eligible(c)) {
            out.moveToColumn(columns.columnStart(c) + 2);
            out.countField(count(c), 3);
        }
    }
    out.endLine();
    out.endLine();
}

}  // namespace

void WriteResultsTable(ColumnWriter &out, const ShowRecord &show, const TableColumns &columns,
                       char decimalSeparator) {
    WriteHeadings(out, show, columns);
    WriteJudgeRows(out, show, columns, decimalSeparator);
    WriteTotalsRows(out, show, columns, decimalSeparator);
    WriteCountRows(out, show, columns, "Blooms", "per scape", "    ",
                   [&show](int c) { return show.Blooms(c); });
    WriteCountRows(out, show, columns, "Starred", "entries", "  ",
                   [&show](int c) { return show.StarredEntries(c); });

    const std::string result = BestResultText(show);
    out.text(columns.leftMargin + "RESULT");
    for (int c = columns.firstCategory; c <= columns.lastCategory; ++c) {
        if (show.Winner(c) == 1) {
            out.moveToColumn(columns.columnStart(c));
            out.text(result);
            out.endLine();
        }
    }
}

}  // namespace bis
