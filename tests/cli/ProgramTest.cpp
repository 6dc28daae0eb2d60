// The built program run as a child process, as a user or a cron job runs it: help, version and
// usage errors, the reports of every show file of tests/data, the PDF report read back, and the
// failures. The child never has a display: DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM and
// XDG_RUNTIME_DIR are all removed from its environment.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>

#include "files/Reports.h"
#include "files/ShowFile.h"
#include "platform/ReportPainter.h"
#include "support/HostTools.h"
#include "support/PageText.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"
#include "support/TestSystem.h"
#include "tabulation/Tabulation.h"

namespace bis {
namespace {

using testing::GridWord;

const QString kProgram = QStringLiteral(BESTINSHOW_PROGRAM);
const QString kDataFolder = QStringLiteral(BESTINSHOW_TEST_DATA_DIR);

using testing::FileBytes;

// The show of a data file, recalled and tabulated as the summary of results does.
ShowRecord TabulatedShow(const QString &name) {
    ShowRecord show;
    show.Initialise();
    EXPECT_TRUE(
        ReadShowFile(FileBytes(kDataFolder + "/" + name + ".oxl").toStdString(), show).ok());
    Tabulate(show);
    return show;
}

// How a run of the program ended.
struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs the program in the folder under the locale, without any display. A modifier, when given,
// runs in the child just before the program starts.
ProgramRun RunProgram(const QString &folder, const QStringList &arguments,
                      const QString &locale = QStringLiteral("C"),
                      const std::function<void()> &modifier = {},
                      const QString &program = kProgram) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (name.startsWith("LC_") || name == "LANG" || name == "LANGUAGE") {
            environment.remove(name);
        }
    }
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert("LC_ALL", locale);

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    testing::SetChildStep(process, modifier);
    process.start(program, arguments);
    ProgramRun run;
    const bool ended = process.waitForFinished(300000);
    run.out = testing::PrintedText(process.readAllStandardOutput());
    run.err = testing::PrintedText(process.readAllStandardError());
    if (!ended || process.exitStatus() != QProcess::NormalExit) {
        // Why: not started, still running, or crashed (Windows ends a failed start with 0xC...).
        run.err =
            QStringLiteral("the program did not end normally: %1 (exit code 0x%2); it printed: %3")
                .arg(process.errorString())
                .arg(static_cast<unsigned>(process.exitCode()), 0, 16)
                .arg(run.out + run.err);
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitCode();
    return run;
}

// A scratch folder the program runs in, so that messages name the files as they were given.
class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString path(const QString &name) const { return QDir(folder_.path()).filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::NewOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    void copyData(const QString &name, const QString &as) const {
        write(as, FileBytes(kDataFolder + "/" + name));
    }

    // Every name in the folder, hidden ones too.
    QStringList names() const { return testing::NamesIn(folder_.path()); }

    ProgramRun run(const QStringList &arguments, const QString &locale = QStringLiteral("C"),
                   const std::function<void()> &modifier = {}) const {
        return RunProgram(folder_.path(), arguments, locale, modifier);
    }

    QTemporaryDir folder_;
};

// ---- Help, version and usage errors ------------------------------------------------------------

struct InfoCase {
    const char *name;
    QStringList arguments;
    int status;
    QString outStart;      // the start of standard output ("" when nothing may be printed)
    QString errFirstLine;  // the first line of standard error ("" when nothing may be printed)
};

void PrintTo(const InfoCase &c, std::ostream *out) {
    *out << c.name;
}

const InfoCase kInfoCases[] = {
    {"Version", {"--version"}, 0, "bestinshow Version 02.30\n", ""},
    {"Help", {"--help"}, 0, "Usage: bestinshow [SHOW.oxl]\n", ""},
    {"UnknownOption", {"--print", "s.oxl"}, 2, "", "bestinshow: Unknown option 'print'."},
    {"OptionWithoutItsFile",
     {"s.oxl", "--pdf-report"},
     2,
     "",
     "bestinshow: Missing value after '--pdf-report'."},
    {"TwoShowFiles",
     {"a.oxl", "b.oxl"},
     2,
     "",
     "bestinshow: Only one show file can be given, not 2."},
};

class ProgramInfoTest : public ProgramTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(ProgramInfoTest, PrintsWithoutADisplayAndEndsWithItsStatus) {
    const InfoCase &c = GetParam();
    const ProgramRun result = run(c.arguments);
    EXPECT_EQ(result.status, c.status) << result.err.toStdString();
    if (c.outStart.isEmpty()) {
        EXPECT_EQ(result.out, QString());
    } else {
        EXPECT_TRUE(result.out.startsWith(c.outStart)) << result.out.toStdString();
    }
    if (c.errFirstLine.isEmpty()) {
        EXPECT_EQ(result.err, QString());
    } else {
        const QStringList lines = result.err.split(u'\n');
        EXPECT_EQ(lines[0], c.errFirstLine);
        // Then the usage.
        ASSERT_GE(lines.size(), 2);
        EXPECT_TRUE(lines[1].startsWith("Usage: bestinshow")) << result.err.toStdString();
    }
    EXPECT_EQ(names(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Forms, ProgramInfoTest, ::testing::ValuesIn(kInfoCases),
                         [](const ::testing::TestParamInfo<InfoCase> &info) {
                             return std::string(info.param.name);
                         });

// ---- The text and CSV reports of every show file ----------------------------------------------

std::vector<std::string> DataShows() {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(BESTINSHOW_TEST_DATA_DIR)) {
        if (entry.path().extension() == ".oxl") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ProgramReportsTest : public ProgramTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ProgramReportsTest, TextAndCsvReportsAreTheExpectedBytes) {
    const QString name = QString::fromStdString(GetParam());
    copyData(name + ".oxl", "show.oxl");

    const ProgramRun result =
        run({"show.oxl", "--text-report", "show.txt", "--csv-report", "show.csv"});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(FileBytes(path("show.txt")), FileBytes(kDataFolder + "/" + name + ".txt"));
    EXPECT_EQ(FileBytes(path("show.csv")), FileBytes(kDataFolder + "/" + name + ".csv"));
}

INSTANTIATE_TEST_SUITE_P(Data, ProgramReportsTest, ::testing::ValuesIn(DataShows()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             return info.param;
                         });

// A copy of the program beside a missing or broken print module: only the PDF report needs it, and
// it fails with its line instead of a crash.
class ProgramWithoutPrintModuleTest : public ProgramTest,
                                      public ::testing::WithParamInterface<const char *> {};

TEST_P(ProgramWithoutPrintModuleTest, OnlyThePdfReportFails) {
    const QString program = path(QFileInfo(kProgram).fileName());
    ASSERT_TRUE(QFile::copy(kProgram, program));
    ASSERT_TRUE(FileBytes(program) == FileBytes(kProgram))
        << "the copy of the program is not whole";
    if (GetParam() != nullptr) {
        write(QStringLiteral(BESTINSHOW_PRINT_MODULE), GetParam());
    }
    copyData("clear_win.oxl", "show.oxl");
    const auto runCopy = [&](const QStringList &arguments) {
        return RunProgram(folder_.path(), arguments, QStringLiteral("C"), {}, program);
    };

    const ProgramRun version = runCopy({"--version"});
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("bestinshow Version 02.30\n"));
    const ProgramRun reports =
        runCopy({"show.oxl", "--text-report", "show.txt", "--csv-report", "show.csv"});
    EXPECT_EQ(reports.status, 0) << reports.err.toStdString();
    EXPECT_EQ(FileBytes(path("show.txt")), FileBytes(kDataFolder + "/clear_win.txt"));
    EXPECT_EQ(FileBytes(path("show.csv")), FileBytes(kDataFolder + "/clear_win.csv"));

    const ProgramRun pdf = runCopy({"show.oxl", "--pdf-report", "show.pdf"});
    EXPECT_EQ(pdf.status, 1);
    EXPECT_EQ(pdf.err,
              QStringLiteral("show.pdf: the report could not be painted as a PDF document\n"));
    EXPECT_FALSE(QFile::exists(path("show.pdf")));
}

INSTANTIATE_TEST_SUITE_P(Modules, ProgramWithoutPrintModuleTest,
                         ::testing::Values<const char *>(nullptr, "not a library"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param == nullptr ? "Missing" : "Broken");
                         });

// Windows hands a program the letters outside its ANSI code page only in the UTF-16 command line.
TEST_F(ProgramTest, AShowFileNamedInAnyLettersIsRead) {
    const QString name = QString::fromUtf8("\xc5\x81\xc4\x85ka \xce\xbe");
    copyData("clear_win.oxl", name + ".oxl");

    const ProgramRun result = run({"--text-report", name + ".txt", name + ".oxl"});

    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(FileBytes(path(name + ".txt")), FileBytes(kDataFolder + "/clear_win.txt"));
}

TEST_F(ProgramTest, UnderADecimalCommaOnlyTheTextReportUsesIt) {
    copyData("big_totals.oxl", "show.oxl");

    const ProgramRun result =
        run({"--text-report", "show.txt", "--csv-report", "show.csv", "show.oxl"}, "de_DE.UTF-8");

    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, QString());
    const QByteArray text = FileBytes(path("show.txt"));
    EXPECT_EQ(text.toStdString(), TextReportBytes(TabulatedShow("big_totals"), ','));
    EXPECT_TRUE(text.contains("125,0"));
    EXPECT_NE(text, FileBytes(kDataFolder + "/big_totals.txt"));
    EXPECT_EQ(FileBytes(path("show.csv")), FileBytes(kDataFolder + "/big_totals.csv"));
}

// ---- The PDF report ----------------------------------------------------------------------------

// The words the pages put on paper, each at its line and column, one sheet per page.
std::vector<GridWord> ExpectedWords(const PrintedReport &report) {
    std::vector<GridWord> words;
    static const QRegularExpression word(QStringLiteral("\\S+"));
    for (std::size_t p = 0; p < report.pages.size(); ++p) {
        const std::vector<std::string> lines = PageText(report.pages[p]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            auto found = word.globalMatch(QString::fromStdString(lines[i]));
            while (found.hasNext()) {
                const auto match = found.next();
                words.push_back({static_cast<int>(p) + 1, static_cast<int>(i) + 1,
                                 static_cast<int>(match.capturedStart()) + 1, match.captured()});
            }
        }
    }
    return testing::Sorted(words);
}

// The bold texts of each sheet as pdftohtml sees them.
std::vector<std::set<QString>> BoldTexts(const QString &pdf) {
    const testing::HostToolRun run =
        testing::RunHostTool("pdftohtml", {"-xml", "-i", "-stdout", testing::HostPath(pdf)});
    EXPECT_TRUE(run.ok) << run.error.toStdString();
    std::vector<std::set<QString>> sheets;
    static const QRegularExpression page(QStringLiteral("<page number=\"(\\d+)\""));
    static const QRegularExpression text(QStringLiteral("<text [^>]*><b>(.*)</b></text>"));
    for (const QString &line : QString::fromUtf8(run.output).split(u'\n')) {
        if (page.match(line).hasMatch()) {
            sheets.emplace_back();
        } else if (const auto match = text.match(line); match.hasMatch() && !sheets.empty()) {
            sheets.back().insert(match.captured(1));
        }
    }
    return sheets;
}

// The bold text of each line that has any, page by page: its bold runs with the blanks between.
std::vector<std::set<QString>> BoldRuns(const PrintedReport &report) {
    std::vector<std::set<QString>> pages;
    for (const PrintPage &page : report.pages) {
        pages.emplace_back();
        for (std::size_t i = 0; i < page.lineCount(); ++i) {
            QString bold;
            int start = 0;
            for (const PrintRun &run : page.line(i)) {
                if (!run.bold) {
                    continue;
                }
                if (bold.isEmpty()) {
                    start = run.column;
                }
                bold = bold.leftJustified(run.column - start, u' ') +
                       QString::fromStdString(std::string(page.textOf(run)));
            }
            if (!bold.isEmpty()) {
                pages.back().insert(bold);
            }
        }
    }
    return pages;
}

QString PdfInfo(const QString &pdf, const QString &field) {
    const testing::HostToolRun run = testing::RunHostTool("pdfinfo", {testing::HostPath(pdf)});
    EXPECT_TRUE(run.ok) << run.error.toStdString();
    const QRegularExpression line(QStringLiteral("^") + field + QStringLiteral(":\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(run.output)).captured(1);
}

struct PdfCase {
    const char *name;
    const char *show;
    const char *locale;
    QPageSize::PageSizeId paper;
    const char *pageSize;  // as pdfinfo gives it
    const char *title;
};

void PrintTo(const PdfCase &c, std::ostream *out) {
    *out << c.name;
}

const PdfCase kPdfCases[] = {
    // Three categories tie: two winners on the first page, one on the second.
    {"TieOnBothPagesOnA4", "tie_of_three", "en_GB.UTF-8", QPageSize::A4, "595 x 842 pts (A4)",
     "Best in Show report: Three Rivers Dahlia Club, 08/28/2011"},
    {"TieOnBothPagesUnderADecimalComma", "tie_of_three", "de_DE.UTF-8", QPageSize::A4,
     "595 x 842 pts (A4)", "Best in Show report: Three Rivers Dahlia Club, 08/28/2011"},
    {"ManyJudgesOnLetter", "big_totals", "en_US.UTF-8", QPageSize::Letter, "612 x 792 pts (letter)",
     nullptr},
    {"ManyJudgesOnA4", "big_totals", "C", QPageSize::A4, "595 x 842 pts (A4)", nullptr},
};

class ProgramPdfTest : public ProgramTest, public ::testing::WithParamInterface<PdfCase> {
  protected:
    // The same pages printed by the printer's path into a PDF file, on the same paper.
    testing::PdfText Printed(const PrintedReport &report, QPageSize::PageSizeId paper) {
        const QString pdf = path("printed.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(QPageLayout::Portrait);
        EXPECT_TRUE(PaintPrintedReport(report, printer));
        return testing::ReadPdfWords(pdf);
    }
};

TEST_P(ProgramPdfTest, PutsEveryWordWherePrintReportPrintsIt) {
    const PdfCase &c = GetParam();
    copyData(QString::fromLatin1(c.show) + ".oxl", "show.oxl");

    const ProgramRun result = run({"--pdf-report", "show.pdf", "show.oxl"}, c.locale);
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(names(), (QStringList{"show.oxl", "show.pdf"}));

    const ShowRecord show = TabulatedShow(c.show);
    const char separator = QString::fromLatin1(c.locale).startsWith("de_") ? ',' : '.';
    const PrintedReport report = PrintedReportPages(show, separator);
    const testing::PdfText pdf = testing::ReadPdfWords(path("show.pdf"));
    const testing::PdfGrid grid = testing::GridOf(pdf);
    ASSERT_EQ(grid.error, QString());

    // One sheet for each page, each word at its line and column.
    EXPECT_EQ(pdf.sheets.size(), report.pages.size());
    EXPECT_EQ(grid.offGrid, QStringList());
    EXPECT_EQ(testing::Sorted(grid.words), ExpectedWords(report));

    // Exactly where the printer's path puts them, so with the same margins and line spacing.
    const testing::PdfText printed = Printed(report, c.paper);
    ASSERT_EQ(printed.words.size(), pdf.words.size());
    for (std::size_t i = 0; i < pdf.words.size(); ++i) {
        EXPECT_EQ(pdf.words[i].text, printed.words[i].text);
        EXPECT_EQ(pdf.words[i].sheet, printed.words[i].sheet);
        EXPECT_NEAR(pdf.words[i].xMin, printed.words[i].xMin, 0.01) << i;
        EXPECT_NEAR(pdf.words[i].yMin, printed.words[i].yMin, 0.01) << i;
    }

    // Only the title and the version are bold, on each page.
    const auto bold = BoldTexts(path("show.pdf"));
    EXPECT_EQ(bold, BoldRuns(report));
    for (const auto &sheet : bold) {
        EXPECT_EQ(sheet, (std::set<QString>{"OXL BEST IN SHOW TABULATION", "Version 02.30"}));
    }

    EXPECT_EQ(PdfInfo(path("show.pdf"), "Page size"), QString::fromLatin1(c.pageSize));
    const QString title = c.title != nullptr ? QString::fromLatin1(c.title)
                                             : QStringLiteral("Best in Show report: %1, %2")
                                                   .arg(QString::fromStdString(show.ClubName),
                                                        QString::fromStdString(show.ShowDate));
    EXPECT_EQ(PdfInfo(path("show.pdf"), "Title"), title);
}

INSTANTIATE_TEST_SUITE_P(Shows, ProgramPdfTest, ::testing::ValuesIn(kPdfCases),
                         [](const ::testing::TestParamInfo<PdfCase> &info) {
                             return std::string(info.param.name);
                         });

// ---- Failures ----------------------------------------------------------------------------------

struct FailureCase {
    const char *name;
    std::map<QString, QByteArray> files;  // the folder before the run; "@name" copies a data file
    QStringList arguments;
    bool limitFileSize = false;
    QString errors;
};

void PrintTo(const FailureCase &c, std::ostream *out) {
    *out << c.name;
}

const QStringList kAllReports = {"--text-report", "r.txt", "--csv-report", "r.csv",
                                 "--pdf-report",  "r.pdf", "show.oxl"};

const FailureCase kFailures[] = {
    {"MissingShowFile", {}, kAllReports, false, "show.oxl: does not exist\n"},
    {"ShowFileOfAnotherVersion",
     {{"show.oxl", "\"Version 03.00\"\r\n\"Club\"\r\n"}},
     kAllReports,
     false,
     "show.oxl: prepared with Version 03.00; this program (Version 02.30) reads only Version 02 "
     "show files\n"},
    {"TruncatedShowFile",
     {{"show.oxl", "@clear_win.oxl:120"}},
     kAllReports,
     false,
     "show.oxl: not a show file: line 19: expected the points deducted in SMALL (a number), found "
     "the end of the file\n"},
    {"ShowFileThatIsAFolder",
     {{"show.oxl/", ""}},
     kAllReports,
     false,
     QStringLiteral("show.oxl: cannot be read: ") + testing::IsAFolderText() + "\n"},
    {"AnOutputThatExists",
     {{"show.oxl", "@clear_win.oxl"}, {"r.csv", "precious\r\n"}},
     kAllReports,
     false,
     "r.csv: already exists, and reports never replace a file\n"},
    {"TheShowFileAsAnOutput",
     {{"show.oxl", "@clear_win.oxl"}},
     {"--text-report", "r.txt", "--pdf-report", "show.oxl", "show.oxl"},
     false,
     "show.oxl: already exists, and reports never replace a file\n"},
    {"AnOutputInAFolderThatDoesNotExist",
     {{"show.oxl", "@clear_win.oxl"}},
     {"--text-report", "r.txt", "--pdf-report", "none/r.pdf", "show.oxl"},
     false,
     QStringLiteral("none/r.pdf: cannot be written: ") + testing::NoSuchFolderText() + "\n"},
};

// Where a started program can be given a file-size limit of its own: the text and CSV reports fit
// under the limit, the PDF does not.
const FailureCase kFailureAfterALimit = {"AWriteThatFailsPartWay",
                                         {{"show.oxl", "@clear_win.oxl"}},
                                         kAllReports,
                                         true,
                                         "r.pdf: cannot be written: File too large\n"};

std::vector<FailureCase> FailureCases() {
    std::vector<FailureCase> cases(std::begin(kFailures), std::end(kFailures));
    if (testing::kChildFileSizeLimits) {
        cases.push_back(kFailureAfterALimit);
    }
    return cases;
}

class ProgramFailureTest : public ProgramTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ProgramFailureTest, SaysWhyAndLeavesTheFolderAsItWas) {
    const FailureCase &c = GetParam();
    for (const auto &[name, bytes] : c.files) {
        if (name.endsWith(u'/')) {
            ASSERT_TRUE(QDir(folder_.path()).mkdir(name.chopped(1)));
        } else if (bytes.startsWith('@')) {
            const QList<QByteArray> source = bytes.mid(1).split(':');
            QByteArray contents = FileBytes(kDataFolder + "/" + QString::fromLatin1(source[0]));
            if (source.size() > 1) {
                contents.truncate(source[1].toInt());
            }
            write(name, contents);
        } else {
            write(name, bytes);
        }
    }
    const QStringList before = names();
    std::map<QString, QByteArray> contentsBefore;
    for (const QString &name : before) {
        contentsBefore[name] = FileBytes(path(name));
    }

    const ProgramRun result =
        run(c.arguments, "C", c.limitFileSize ? testing::FileSizeLimit(8192) : nullptr);

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.err, c.errors);
    EXPECT_EQ(names(), before);
    for (const auto &[name, bytes] : contentsBefore) {
        EXPECT_EQ(FileBytes(path(name)), bytes) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, ProgramFailureTest, ::testing::ValuesIn(FailureCases()),
                         [](const ::testing::TestParamInfo<FailureCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace bis
