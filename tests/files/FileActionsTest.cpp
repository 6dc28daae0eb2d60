#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/FileActions.h"
#include "files/Reports.h"
#include "files/ShowFile.h"
#include "support/Fakes.h"
#include "support/PageText.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {

namespace {

using testing::FakePlatform;
using testing::SampleShow;
using testing::ShownMessage;

ShownMessage FileError(const char *text) {
    return {"File error", text, false};
}

// Everything about a show that an action could change.
struct ShowSnapshot {
    std::string fileBytes;
    std::string textReport;
    int reportSaved;

    explicit ShowSnapshot(const ShowRecord &show)
        : fileBytes(ShowFileBytes(show)),
          textReport(TextReportBytes(show)),
          reportSaved(show.ReportSaved) {}
    friend bool operator==(const ShowSnapshot &, const ShowSnapshot &) = default;
};

// ---------------------------------------------------------------------------------------------
// The three save uses share one rule; each case runs against each use.

struct SaveUse {
    const char *name;
    std::function<void(Platform &, ShowRecord &)> press;
    FileDialogRequest request;
    QString suffix;
    std::function<std::string(const ShowRecord &)> bytes;
    std::optional<ShownMessage> caution;  // shown after the file is written
    bool setsReportSaved;
};

void PrintTo(const SaveUse &use, std::ostream *out) {
    *out << use.name;
}

const SaveUse kSaveUses[] = {
    {"SaveShow",
     [](Platform &p, ShowRecord &show) { SaveShow(p, nullptr, show); },
     {"Save as OXL File", "OXL files (*.oxl)"},
     ".oxl",
     [](const ShowRecord &show) { return ShowFileBytes(show); },
     std::nullopt,
     true},
    {"TextReport",
     [](Platform &p, ShowRecord &show) { PrepareTextReport(p, nullptr, show); },
     {"Save as Text File", "Text files (*.txt)"},
     ".txt",
     [](const ShowRecord &show) { return TextReportBytes(show); },
     ShownMessage{"Caution",
                  "This report is for viewing the information only. To save the information for "
                  "later use by this program, click the Save Report button.",
                  false},
     false},
    {"CsvReport",
     [](Platform &p, ShowRecord &show) { PrepareCsvReport(p, nullptr, show); },
     {"Save as Comma Separated Variables File", "Comma Separated Variable files (*.csv)"},
     ".csv",
     [](const ShowRecord &show) { return CsvReportBytes(show); },
     ShownMessage{"Caution",
                  "This report is for viewing the information only. Use a spreadsheet program. "
                  "To save the information for later use by this program, click the Save Report "
                  "button.",
                  false},
     false},
};

// One way through the save rule. In paths and file names, "{s}" stands for the use's suffix
// and "{S}" for the suffix in capitals.
struct SaveCase {
    const char *name;
    std::optional<const char *> chosen;  // nothing: the dialog was cancelled
    std::vector<bool> answers;           // to the suffix question
    std::vector<const char *> existing;  // files already there
    std::optional<FileFailure> createFailure;
    std::optional<const char *> written;  // the file that must be written
    std::vector<ShownMessage> messages;   // "{prompt}" asks the suffix question
};

void PrintTo(const SaveCase &c, std::ostream *out) {
    *out << c.name;
}

const ShownMessage kPrompt{"Add suffix", "{prompt}", true};

const SaveCase kSaveCases[] = {
    {"NoSuffixAnsweredYes", "/h/show", {true}, {}, {}, "/h/show{s}", {kPrompt}},
    {"NoSuffixAnsweredNo", "/h/show", {false}, {}, {}, "/h/show", {kPrompt}},
    {"CapitalSuffixAnsweredYes", "/h/show{S}", {true}, {}, {}, "/h/show{S}{s}", {kPrompt}},
    {"CapitalSuffixAnsweredNo", "/h/show{S}", {false}, {}, {}, "/h/show{S}", {kPrompt}},
    {"SuffixPresent", "/h/show{s}", {}, {}, {}, "/h/show{s}", {}},
    {"OtherSuffixAnsweredYes", "/h/show.doc", {true}, {}, {}, "/h/show.doc{s}", {kPrompt}},
    {"SuffixInsideTheName", "/h/show{s}.bak", {false}, {}, {}, "/h/show{s}.bak", {kPrompt}},
    {"LeadingBlanksDropped", "   /h/show{s}", {}, {}, {}, "/h/show{s}", {}},
    {"TrailingBlanksKept", "/h/show{s}  ", {false}, {}, {}, "/h/show{s}  ", {kPrompt}},
    {"Cancelled",
     std::nullopt,
     {},
     {},
     {},
     std::nullopt,
     {FileError("Sorry, no file selected. Please try again.")}},
    {"EmptyPath",
     "",
     {},
     {},
     {},
     std::nullopt,
     {FileError("Sorry, no file selected. Please try again.")}},
    {"OnlyBlanks",
     "   ",
     {},
     {},
     {},
     std::nullopt,
     {FileError("Sorry, no file selected. Please try again.")}},
    {"ExistingFile",
     "/h/show{s}",
     {},
     {"/h/show{s}"},
     {},
     std::nullopt,
     {FileError("Sorry, file already exists. Please try another name.")}},
    {"ExistingOnceTheSuffixIsAdded",
     "/h/show",
     {true},
     {"/h/show{s}"},
     {},
     std::nullopt,
     {kPrompt, FileError("Sorry, file already exists. Please try another name.")}},
    {"AppearsBeforeCreating",
     "/h/show{s}",
     {},
     {},
     FileFailure{FileFailure::Kind::AlreadyExists, "File exists"},
     std::nullopt,
     {FileError("Sorry, file already exists. Please try another name.")}},
    {"DriveNotReady",
     "/h/show{s}",
     {},
     {},
     FileFailure{FileFailure::Kind::DriveNotReady, "No medium found"},
     std::nullopt,
     {FileError("The specified drive is not ready")}},
    {"OtherFailure",
     "/h/show{s}",
     {},
     {},
     FileFailure{FileFailure::Kind::Other, "Permission denied"},
     std::nullopt,
     {FileError("Permission denied Please select another file name")}},
    {"FolderMissing",
     "/h/show{s}",
     {},
     {},
     FileFailure{FileFailure::Kind::NotFound, "No such file or directory"},
     std::nullopt,
     {FileError("No such file or directory Please select another file name")}},
};

class SaveRuleTest : public ::testing::TestWithParam<std::tuple<SaveUse, SaveCase>> {
  protected:
    const SaveUse &use() const { return std::get<0>(GetParam()); }
    const SaveCase &scenario() const { return std::get<1>(GetParam()); }

    QString expand(const char *text) const {
        QString expanded = QString::fromUtf8(text);
        expanded.replace("{s}", use().suffix);
        expanded.replace("{S}", use().suffix.toUpper());
        expanded.replace("{prompt}", "The file may not work properly without the " + use().suffix +
                                         " suffix. Do you wish to add it?");
        return expanded;
    }
};

TEST_P(SaveRuleTest, FollowsTheFileChoosingRule) {
    FakePlatform fake;
    ShowRecord show = SampleShow();
    const SaveCase &c = scenario();
    fake.fileDialogs.paths.push_back(c.chosen ? std::optional(expand(*c.chosen)) : std::nullopt);
    fake.messages.answers.assign(c.answers.begin(), c.answers.end());
    for (const char *name : c.existing) {
        fake.fileSystem.files[expand(name)] = "already there";
    }
    const QString target = c.written ? expand(*c.written) : expand("/h/show{s}");
    if (c.createFailure) {
        fake.fileSystem.failures[target] = *c.createFailure;
    }
    const std::string expectedBytes = use().bytes(show);
    const ShowSnapshot before(show);

    use().press(fake.platform, show);

    ASSERT_EQ(fake.fileDialogs.requests.size(), 1u);
    EXPECT_TRUE(fake.fileDialogs.requests[0].save);
    EXPECT_EQ(fake.fileDialogs.requests[0].request.title, use().request.title);
    EXPECT_EQ(fake.fileDialogs.requests[0].request.filterText, use().request.filterText);

    std::vector<ShownMessage> expected;
    for (const ShownMessage &message : c.messages) {
        expected.push_back(
            {message.title, expand(message.text.toUtf8().constData()), message.question});
    }
    if (c.written && use().caution) {
        expected.push_back(*use().caution);
    }
    EXPECT_EQ(fake.messages.shown, expected);
    EXPECT_TRUE(fake.messages.answers.empty()) << "a scripted answer was not asked for";

    std::map<QString, std::string> files;
    for (const char *name : c.existing) {
        files[expand(name)] = "already there";
    }
    if (c.written) {
        files[target] = expectedBytes;
    }
    EXPECT_EQ(fake.fileSystem.files, files);

    // Only a written show file marks the show as saved; nothing else about it changes.
    ShowSnapshot after(show);
    if (c.written && use().setsReportSaved) {
        EXPECT_EQ(after.reportSaved, 1);
        after.reportSaved = before.reportSaved;
    }
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(AllSaveUses, SaveRuleTest,
                         ::testing::Combine(::testing::ValuesIn(kSaveUses),
                                            ::testing::ValuesIn(kSaveCases)),
                         [](const ::testing::TestParamInfo<std::tuple<SaveUse, SaveCase>> &info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

// ---------------------------------------------------------------------------------------------
// Recall Existing Report.

// A show file of another program version: the sample's bytes with the first line replaced.
std::string WithVersionLine(const std::string &firstLine) {
    const std::string good = ShowFileBytes(SampleShow(2));
    return firstLine + good.substr(good.find("\r\n"));
}

// The sample's file cut off right after the bloom counts.
std::string CutAfterBlooms() {
    const std::string good = ShowFileBytes(SampleShow(2));
    std::size_t at = 0;
    for (int line = 0; line < 16; ++line) {
        at = good.find("\r\n", at) + 2;
    }
    return good.substr(0, at);
}

const std::string kGoodFile = ShowFileBytes(SampleShow(2));

struct RecallCase {
    const char *name;
    std::optional<const char *> chosen;
    std::optional<std::string> file;  // the bytes under "/h/show.oxl", when it exists
    std::optional<FileFailure> readFailure;
    bool read;  // the show must be taken from the file
    std::vector<ShownMessage> messages;
};

void PrintTo(const RecallCase &c, std::ostream *out) {
    *out << c.name;
}

class RecallTest : public ::testing::TestWithParam<RecallCase> {};

TEST_P(RecallTest, ReadsTheShowOrLeavesTheRecordAlone) {
    const RecallCase &c = GetParam();
    FakePlatform fake;
    fake.fileDialogs.paths.push_back(c.chosen ? std::optional<QString>(QString::fromUtf8(*c.chosen))
                                              : std::nullopt);
    if (c.file) {
        fake.fileSystem.files["/h/show.oxl"] = *c.file;
    }
    if (c.readFailure) {
        fake.fileSystem.failures["/h/show.oxl"] = *c.readFailure;
    }
    // A record that differs from the file in every field, so that any change shows.
    ShowRecord show = SampleShow(3);
    show.ClubName = "Before";
    show.Blooms(2) = 7;
    show.ReportSaved = 0;
    const ShowSnapshot before(show);

    const bool read = RecallShow(fake.platform, nullptr, show);

    ASSERT_EQ(fake.fileDialogs.requests.size(), 1u);
    EXPECT_FALSE(fake.fileDialogs.requests[0].save);
    EXPECT_EQ(fake.fileDialogs.requests[0].request.title, "Open an OXL file");
    EXPECT_EQ(fake.fileDialogs.requests[0].request.filterText, "OXL files (*.oxl)");
    EXPECT_EQ(fake.messages.shown, c.messages);
    EXPECT_EQ(read, c.read);
    if (c.read) {
        EXPECT_EQ(show.ReportSaved, 1);
        EXPECT_EQ(ShowFileBytes(show), kGoodFile);
    } else {
        EXPECT_EQ(ShowSnapshot(show), before);
    }
    EXPECT_TRUE(fake.fileSystem.files.size() == (c.file ? 1u : 0u));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecallTest,
    ::testing::Values(
        RecallCase{"GoodFile", "/h/show.oxl", kGoodFile, {}, true, {}},
        RecallCase{"LeadingBlanksDropped", "  /h/show.oxl", kGoodFile, {}, true, {}},
        RecallCase{"Version0210Accepted",
                   "/h/show.oxl",
                   WithVersionLine("\"Version 02.10\""),
                   {},
                   true,
                   {}},
        RecallCase{"VersionWithBlanksAccepted",
                   "/h/show.oxl",
                   WithVersionLine("  \" Version 02.45 \"  "),
                   {},
                   true,
                   {}},
        RecallCase{"Cancelled",
                   std::nullopt,
                   kGoodFile,
                   {},
                   false,
                   {FileError("Sorry, file does not exist. Please try again.")}},
        RecallCase{"Missing",
                   "/h/other.oxl",
                   kGoodFile,
                   {},
                   false,
                   {FileError("Sorry, file does not exist. Please try again.")}},
        RecallCase{"Version0300",
                   "/h/show.oxl",
                   WithVersionLine("\"Version 03.00\""),
                   {},
                   false,
                   {{"Wrong version",
                     "This file was prepared with Version 03.00 Please exit and use this version.",
                     false}}},
        RecallCase{
            "LowerCaseVersion",
            "/h/show.oxl",
            WithVersionLine("\"version 02.30\""),
            {},
            false,
            {{"Wrong version",
              "This file was prepared with Version 1. Please exit and use this version.", false}}},
        RecallCase{
            "NoVersionField",
            "/h/show.oxl",
            WithVersionLine("\"Garden Club\""),
            {},
            false,
            {{"Wrong version",
              "This file was prepared with Version 1. Please exit and use this version.", false}}},
        RecallCase{"CutAfterTheBloomCounts",
                   "/h/show.oxl",
                   CutAfterBlooms(),
                   {},
                   false,
                   {FileError("Please select another file")}},
        RecallCase{"Empty",
                   "/h/show.oxl",
                   std::string(),
                   {},
                   false,
                   {FileError("Please select another file")}},
        RecallCase{"TextWhereANumberIsDue",
                   "/h/show.oxl",
                   "\"Version 02.30\"\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\nmany\r\n10\r\n",
                   {},
                   false,
                   {FileError("Please select another file")}},
        RecallCase{"VanishedBeforeReading",
                   "/h/show.oxl",
                   kGoodFile,
                   FileFailure{FileFailure::Kind::NotFound, "No such file or directory"},
                   false,
                   {FileError("Sorry, file does not exist. Please try again.")}},
        RecallCase{"DriveNotReady",
                   "/h/show.oxl",
                   kGoodFile,
                   FileFailure{FileFailure::Kind::DriveNotReady, "No medium found"},
                   false,
                   {FileError("The specified drive is not ready")}},
        RecallCase{"ReadFails",
                   "/h/show.oxl",
                   kGoodFile,
                   FileFailure{FileFailure::Kind::Other, "Input/output error"},
                   false,
                   {FileError("Please select another file")}}),
    [](const ::testing::TestParamInfo<RecallCase> &info) { return std::string(info.param.name); });

TEST(RecallAfterFailureTest, AFailedRecallDoesNotSpoilTheNextOne) {
    FakePlatform fake;
    fake.fileSystem.files["/h/cut.oxl"] = CutAfterBlooms();
    fake.fileSystem.files["/h/good.oxl"] = kGoodFile;
    fake.fileDialogs.paths = {QString("/h/cut.oxl"), QString("/h/good.oxl")};
    ShowRecord show;
    show.Initialise();

    EXPECT_FALSE(RecallShow(fake.platform, nullptr, show));
    EXPECT_TRUE(RecallShow(fake.platform, nullptr, show));

    EXPECT_EQ(fake.messages.shown,
              std::vector<ShownMessage>{FileError("Please select another file")});
    EXPECT_EQ(ShowFileBytes(show), kGoodFile);
    EXPECT_EQ(show.ReportSaved, 1);
}

TEST(SaveThenRecallTest, GivesBackTheSameShowRowZeroIncluded) {
    FakePlatform fake;
    ShowRecord saved = SampleShow(4);
    // A total the judges' rows do not add up to: it must come back as stored, not recomputed.
    saved.Scores(0, 3) = 12.5;
    fake.fileDialogs.paths = {QString("/h/show.oxl"), QString("/h/show.oxl")};
    SaveShow(fake.platform, nullptr, saved);
    ASSERT_EQ(saved.ReportSaved, 1);

    ShowRecord recalled;
    recalled.Initialise();
    ASSERT_TRUE(RecallShow(fake.platform, nullptr, recalled));

    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(recalled.ClubName, saved.ClubName);
    EXPECT_EQ(recalled.ShowLocation, saved.ShowLocation);
    EXPECT_EQ(recalled.ShowDate, saved.ShowDate);
    EXPECT_EQ(recalled.NumJudges, saved.NumJudges);
    EXPECT_EQ(recalled.NumCategories, saved.NumCategories);
    for (int c = 1; c <= kCategoryCount; ++c) {
        EXPECT_EQ(recalled.Blooms(c), saved.Blooms(c)) << c;
    }
    EXPECT_EQ(recalled.Scores, saved.Scores);
    EXPECT_EQ(recalled.Scores(0, 3), 12.5);
    EXPECT_EQ(recalled.ReportSaved, 1);
}

// ---------------------------------------------------------------------------------------------
// Print Report.

struct PrintCase {
    const char *name;
    PrintFailure failure;
    std::vector<ShownMessage> messages;
};

void PrintTo(const PrintCase &c, std::ostream *out) {
    *out << c.name;
}

class PrintReportTest : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintReportTest, PrintsTheTwoPagesOrShowsTheFailure) {
    const PrintCase &c = GetParam();
    FakePlatform fake;
    fake.printer.failure = c.failure;
    ShowRecord show = SampleShow();
    const ShowSnapshot before(show);

    PrintReport(fake.platform, nullptr, show);

    EXPECT_EQ(fake.messages.shown, c.messages);
    if (c.failure.ok()) {
        ASSERT_EQ(fake.printer.printed.size(), 1u);
        const PrintedReport expected = PrintedReportPages(show);
        ASSERT_EQ(fake.printer.printed[0].pages.size(), 2u);
        for (std::size_t page = 0; page < 2; ++page) {
            EXPECT_EQ(PageText(fake.printer.printed[0].pages[page]),
                      PageText(expected.pages[page]));
        }
    } else {
        EXPECT_TRUE(fake.printer.printed.empty());
    }
    EXPECT_EQ(ShowSnapshot(show), before);
    EXPECT_TRUE(fake.fileSystem.files.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintReportTest,
    ::testing::Values(
        PrintCase{"Printed", {}, {}},
        PrintCase{"NotAvailable",
                  {PrintFailure::Kind::NotAvailable, {}},
                  {FileError("Sorry, the printer is not available.")}},
        PrintCase{
            "PrinterError", {PrintFailure::Kind::PrinterError, {}}, {FileError("Printer error")}},
        PrintCase{"OtherWithItsOwnDescription",
                  {PrintFailure::Kind::Other, "Destination \"hall\" is not accepting jobs."},
                  {FileError("Destination \"hall\" is not accepting jobs.")}}),
    [](const ::testing::TestParamInfo<PrintCase> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bis
