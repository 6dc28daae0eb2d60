#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "files/Reports.h"
#include "support/HostTools.h"
#include "support/TestSystem.h"

namespace bis::testing {

// One word of a PDF page as `pdftotext -bbox` gives it, in points from the page's top left.
struct PdfWord {
    int sheet = 0;  // 1-based
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

struct PdfSheet {
    double width = 0, height = 0;
};

struct PdfText {
    std::vector<PdfSheet> sheets;
    std::vector<PdfWord> words;
    QString error;  // set when the file could not be read
};

// Reads the words of a PDF file with pdftotext (Debian package poppler-utils).
inline PdfText ReadPdfWords(const QString &pdf) {
    PdfText result;
    const HostToolRun run = RunHostTool(
        QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), HostPath(pdf), QStringLiteral("-")});
    if (!run.ok) {
        result.error = run.error;
        return result;
    }
    const QString html = QString::fromUtf8(run.output);
    static const QRegularExpression page(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re"));
    for (const QString &line : html.split(u'\n')) {
        if (const auto match = page.match(line); match.hasMatch()) {
            result.sheets.push_back({match.captured(1).toDouble(), match.captured(2).toDouble()});
        } else if (const auto match = word.match(line); match.hasMatch()) {
            QString text = match.captured(5);
            text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
            text.replace("&#39;", "'").replace("&apos;", "'").replace("&amp;", "&");
            result.words.push_back({static_cast<int>(result.sheets.size()),
                                    match.captured(1).toDouble(), match.captured(2).toDouble(),
                                    match.captured(3).toDouble(), match.captured(4).toDouble(),
                                    text});
        }
    }
    return result;
}

// A word placed on the character grid: sheet, 1-based line and column.
struct GridWord {
    int sheet = 0;
    int line = 0;
    int column = 0;
    QString text;

    friend bool operator==(const GridWord &, const GridWord &) = default;
    friend bool operator<(const GridWord &a, const GridWord &b) {
        return std::tie(a.sheet, a.line, a.column, a.text) <
               std::tie(b.sheet, b.line, b.column, b.text);
    }
};

inline void PrintTo(const GridWord &word, std::ostream *out) {
    *out << "sheet " << word.sheet << " line " << word.line << " column " << word.column << " \""
         << word.text.toStdString() << '"';
}

// The character grid of the printed pages, measured from the PDF alone: the pitch is the width
// of the words divided by their length (so it is the font's own character width), the left edge
// is placed so that the first sheet's "Sponsoring" stands at column 13, and the line spacing
// and top are taken from the first sheet's "Sponsoring" (line 12) and "Number" (line 15).
struct PdfGrid {
    double pitch = 0, left = 0, top = 0, lineSpacing = 0;
    std::vector<GridWord> words;
    // Words that do not sit on a cell boundary or a line, as "text: column x.xx, line y.yy".
    QStringList offGrid;
    QString error;
};

inline PdfGrid GridOf(const PdfText &pdf) {
    PdfGrid grid;
    if (!pdf.error.isEmpty()) {
        grid.error = pdf.error;
        return grid;
    }
    std::vector<double> pitches;
    const PdfWord *sponsoring = nullptr;
    const PdfWord *number = nullptr;
    for (const PdfWord &word : pdf.words) {
        pitches.push_back((word.xMax - word.xMin) / static_cast<double>(word.text.toUcs4().size()));
        if (word.sheet == 1 && word.text == "Sponsoring" && sponsoring == nullptr) {
            sponsoring = &word;
        }
        if (word.sheet == 1 && word.text == "Number" && number == nullptr) {
            number = &word;
        }
    }
    if (pitches.empty() || sponsoring == nullptr || number == nullptr) {
        grid.error = QStringLiteral("the first sheet lacks the particulars");
        return grid;
    }
    std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
    grid.pitch = pitches[pitches.size() / 2];
    grid.left = sponsoring->xMin - 12 * grid.pitch;
    grid.lineSpacing = (number->yMin - sponsoring->yMin) / 3;
    grid.top = sponsoring->yMin - 11 * grid.lineSpacing;
    for (const PdfWord &word : pdf.words) {
        const double column = (word.xMin - grid.left) / grid.pitch + 1;
        const double line = (word.yMin - grid.top) / grid.lineSpacing + 1;
        if (std::abs(column - std::round(column)) > kColumnTolerance ||
            std::abs(line - std::round(line)) > 0.1) {
            grid.offGrid << QStringLiteral("%1: column %2, line %3")
                                .arg(word.text)
                                .arg(column, 0, 'f', 2)
                                .arg(line, 0, 'f', 2);
        }
        grid.words.push_back({word.sheet, static_cast<int>(std::lround(line)),
                              static_cast<int>(std::lround(column)), word.text});
    }
    return grid;
}

// The first word on the sheet with that text, if any.
inline std::optional<GridWord> FindWord(const PdfGrid &grid, int sheet, const QString &text) {
    for (const GridWord &word : grid.words) {
        if (word.sheet == sheet && word.text == text) {
            return word;
        }
    }
    return std::nullopt;
}

// Where the report's runs must stand when each report page holds up to `linesPerSheet` lines
// before it continues on the next sheet, sorted.
inline std::vector<GridWord> ExpectedGridWords(const PrintedReport &report, int linesPerSheet) {
    std::vector<GridWord> words;
    int firstSheet = 1;
    for (const PrintPage &page : report.pages) {
        const int lines = static_cast<int>(page.lineCount());
        for (int i = 0; i < lines; ++i) {
            for (const PrintRun &run : page.line(static_cast<std::size_t>(i))) {
                words.push_back({firstSheet + i / linesPerSheet, i % linesPerSheet + 1, run.column,
                                 QString::fromStdString(std::string(page.textOf(run)))});
            }
        }
        firstSheet += (lines + linesPerSheet - 1) / linesPerSheet;
    }
    std::sort(words.begin(), words.end());
    return words;
}

inline std::vector<GridWord> Sorted(std::vector<GridWord> words) {
    std::sort(words.begin(), words.end());
    return words;
}

}  // namespace bis::testing
