// Reading the command line: what each form of it asks for, and the one-line reason of each
// wrong one.
#include <gtest/gtest.h>

#include <ostream>

#include "console/CommandLine.h"
#include "support/QStringPrinter.h"

namespace bis {
namespace {

using Action = CommandLine::Action;

struct ParseCase {
    const char *name;
    QStringList arguments;  // after the program's name
    Action action;
    ReportFiles files;  // for StartScreens and WriteReports
    QString error;      // for UsageError
};

void PrintTo(const ParseCase &c, std::ostream *out) {
    *out << c.name;
}

const ParseCase kParseCases[] = {
    {"NothingStartsTheScreens", {}, Action::StartScreens, {}, {}},
    {"AShowFileAloneIsRecalled",
     {"spring.oxl"},
     Action::StartScreens,
     {"spring.oxl", {}, {}, {}},
     {}},
    {"EveryReport",
     {"--text-report", "s.txt", "--csv-report", "s.csv", "--pdf-report", "s.pdf", "s.oxl"},
     Action::WriteReports,
     {"s.oxl", "s.txt", "s.csv", "s.pdf"},
     {}},
    {"OptionsAfterTheShowFile",
     {"s.oxl", "--csv-report=s.csv"},
     Action::WriteReports,
     {"s.oxl", {}, "s.csv", {}},
     {}},
    {"DashesEndTheOptions",
     {"--pdf-report", "r.pdf", "--", "--odd name.oxl"},
     Action::WriteReports,
     {"--odd name.oxl", {}, {}, "r.pdf"},
     {}},
    {"ShortHelp", {"-h"}, Action::ShowHelp, {}, {}},
    {"HelpWinsOverEverythingElse", {"a.oxl", "b.oxl", "--help"}, Action::ShowHelp, {}, {}},
    {"ShortVersion", {"-v"}, Action::ShowVersion, {}, {}},
    {"LongVersion", {"--version"}, Action::ShowVersion, {}, {}},
    {"UnknownOption", {"--print", "s.oxl"}, Action::UsageError, {}, "Unknown option 'print'."},
    {"OptionWithoutItsFile",
     {"s.oxl", "--text-report"},
     Action::UsageError,
     {},
     "Missing value after '--text-report'."},
    {"OptionWithAnEmptyName",
     {"s.oxl", "--csv-report", ""},
     Action::UsageError,
     {},
     "--csv-report needs the name of its file."},
    {"SameOptionTwice",
     {"s.oxl", "--text-report", "a.txt", "--text-report", "b.txt"},
     Action::UsageError,
     {},
     "--text-report is given more than once."},
    {"TwoShowFiles",
     {"a.oxl", "b.oxl"},
     Action::UsageError,
     {},
     "Only one show file can be given, not 2."},
    {"TwoShowFilesWithReports",
     {"--text-report", "r.txt", "a.oxl", "b.oxl"},
     Action::UsageError,
     {},
     "Only one show file can be given, not 2."},
    {"AnEmptyShowFileName", {""}, Action::UsageError, {}, "The name of the show file is empty."},
    {"ReportsWithoutAShowFile",
     {"--pdf-report", "r.pdf"},
     Action::UsageError,
     {},
     "The reports need the show file to write them from."},
    // The report option took the show file as its own: nothing is left to read.
    {"ShowFileTakenAsTheReportsName",
     {"--text-report", "s.oxl"},
     Action::UsageError,
     {},
     "The reports need the show file to write them from."},
    {"TwoReportsInOneFile",
     {"s.oxl", "--text-report", "r.out", "--pdf-report", "r.out"},
     Action::UsageError,
     {},
     "--text-report and --pdf-report name the same file."},
    {"TwoSpellingsOfOneFile",
     {"s.oxl", "--csv-report", "r.out", "--pdf-report", "sub/../r.out"},
     Action::UsageError,
     {},
     "--csv-report and --pdf-report name the same file."},
};

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesTheActionAndItsFiles) {
    const ParseCase &c = GetParam();
    const CommandLine line = ParseCommandLine(QStringList{"bestinshow"} + c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.error, c.error);
    EXPECT_EQ(line.files.showFile, c.files.showFile);
    EXPECT_EQ(line.files.textReport, c.files.textReport);
    EXPECT_EQ(line.files.csvReport, c.files.csvReport);
    EXPECT_EQ(line.files.pdfReport, c.files.pdfReport);
}

INSTANTIATE_TEST_SUITE_P(Forms, ParseCommandLineTest, ::testing::ValuesIn(kParseCases),
                         [](const ::testing::TestParamInfo<ParseCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(CommandLineTextsTest, UsageErrorGivesTheReasonOnItsOwnLineAndThenTheUsage) {
    const QStringList lines = UsageErrorText("Unknown option 'print'.").split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "bestinshow: Unknown option 'print'.");
    EXPECT_TRUE(lines[1].startsWith("Usage: bestinshow ")) << lines[1].toStdString();
    EXPECT_TRUE(HelpText().startsWith(lines[1] + u'\n'));
}

}  // namespace
}  // namespace bis
