// The reports written from the command line, on an in-memory file system and a fake PDF maker:
// which files come about, what goes into them, and what each failure leaves.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "console/CommandLineReports.h"
#include "console/ExitStatus.h"
#include "files/ShowFile.h"
#include "support/Fakes.h"
#include "support/PageText.h"
#include "support/QStringPrinter.h"
#include "support/SampleShow.h"

namespace bis {
namespace {

using testing::FakeFileSystem;
using testing::SampleShow;

// Records the report and title it is given, and answers with fixed bytes or fails as scripted.
class FakePdfMaker : public PdfMaker {
  public:
    std::optional<std::string> makePdf(const PrintedReport &report, const QString &title) override {
        reports.push_back(report);
        titles.push_back(title);
        if (fails) {
            return std::nullopt;
        }
        return std::string("%PDF of ") + title.toStdString();
    }

    std::vector<PrintedReport> reports;
    QStringList titles;
    bool fails = false;
};

class CommandLineReportsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        show_ = SampleShow(4);
        fileSystem_.files["show.oxl"] = ShowFileBytes(show_);
    }

    int Write(const ReportFiles &files, char separator = '.') {
        return WriteReportsFromCommandLine(files, fileSystem_, pdfMaker_, separator, errors_);
    }

    // The names in the file system, the show file among them.
    std::vector<QString> Names() const {
        std::vector<QString> names;
        for (const auto &[name, bytes] : fileSystem_.files) {
            names.push_back(name);
        }
        return names;
    }

    ShowRecord show_;
    FakeFileSystem fileSystem_;
    FakePdfMaker pdfMaker_;
    std::ostringstream errors_;
};

TEST_F(CommandLineReportsTest, WritesTheReportsTheButtonsWriteWithTheGivenSeparator) {
    ASSERT_EQ(Write({"show.oxl", "r.txt", "r.csv", "r.pdf"}, ','), kExitSuccess);

    EXPECT_EQ(errors_.str(), "");
    EXPECT_EQ(fileSystem_.files["r.txt"], TextReportBytes(show_, ','));
    EXPECT_EQ(fileSystem_.files["r.csv"], CsvReportBytes(show_));
    ASSERT_EQ(pdfMaker_.reports.size(), 1u);
    const PrintedReport expected = PrintedReportPages(show_, ',');
    ASSERT_EQ(pdfMaker_.reports[0].pages.size(), expected.pages.size());
    for (std::size_t p = 0; p < expected.pages.size(); ++p) {
        EXPECT_EQ(PageText(pdfMaker_.reports[0].pages[p]), PageText(expected.pages[p]));
    }
    EXPECT_EQ(fileSystem_.files["r.pdf"],
              "%PDF of Best in Show report: Greenhouse Club, Ærø branch, 07/11/2009");
}

TEST_F(CommandLineReportsTest, ThePdfTitleLeavesOutAnEmptyClubOrDate) {
    const struct {
        const char *club;
        const char *date;
        const char *title;
    } cases[] = {
        {"Rose Club", "06/01/2024", "Best in Show report: Rose Club, 06/01/2024"},
        {"", "06/01/2024", "Best in Show report: 06/01/2024"},
        {"Rose Club", "", "Best in Show report: Rose Club"},
        {"", "", "Best in Show report"},
    };
    for (const auto &c : cases) {
        ShowRecord show = SampleShow();
        show.ClubName = c.club;
        show.ShowDate = c.date;
        EXPECT_EQ(PdfReportTitle(show), QString::fromUtf8(c.title));
    }
}

// A failure, the messages it gives and the files it leaves beside the show file.
struct FailureCase {
    const char *name;
    std::function<void(FakeFileSystem &, FakePdfMaker &)> arrange;
    ReportFiles files;
    std::string errors;
    std::vector<QString> namesAfter;
};

void PrintTo(const FailureCase &c, std::ostream *out) {
    *out << c.name;
}

const ReportFiles kAllThree{"show.oxl", "r.txt", "r.csv", "r.pdf"};

// The exact line a shell user reads for each kind of failure; the built program's own table
// (ProgramTest) holds the kinds not repeated here: a missing show file, another version and a
// file the reader refuses.
const FailureCase kFailures[] = {
    {"ShowFileThatCannotBeRead",
     [](FakeFileSystem &files, FakePdfMaker &) {
         files.failures["show.oxl"] = {FileFailure::Kind::Other, "Input/output error"};
     },
     kAllThree,
     "show.oxl: cannot be read: Input/output error\n",
     {"show.oxl"}},
    {"ShowFileWithoutAVersion",
     [](FakeFileSystem &files, FakePdfMaker &) { files.files["show.oxl"] = "\"Club\"\r\n"; },
     kAllThree,
     "show.oxl: prepared with Version 1; this program (Version 02.30) reads only Version 02 show "
     "files\n",
     {"show.oxl"}},
    {"ShowFileWhoseVersionHoldsControlCharacters",
     [](FakeFileSystem &files, FakePdfMaker &) {
         files.files["show.oxl"] = "\"Version 03\x1b]0;x\x07\x9d\"\r\n";
     },
     kAllThree,
     "show.oxl: prepared with Version 03?]0;x??; this program (Version 02.30) reads only Version "
     "02 show files\n",
     {"show.oxl"}},
    {"EveryTakenNameIsNamedAndNothingIsWritten",
     [](FakeFileSystem &files, FakePdfMaker &) {
         files.files["r.txt"] = "old text";
         files.files["r.pdf"] = "old pdf";
     },
     kAllThree,
     "r.txt: already exists, and reports never replace a file\n"
     "r.pdf: already exists, and reports never replace a file\n",
     {"r.pdf", "r.txt", "show.oxl"}},
    {"PdfThatCannotBePaintedStopsEveryWrite",
     [](FakeFileSystem &, FakePdfMaker &pdf) { pdf.fails = true; },
     kAllThree,
     "r.pdf: the report could not be painted as a PDF document\n",
     {"show.oxl"}},
    {"FailedLastWriteRemovesTheEarlierOnes",
     [](FakeFileSystem &files, FakePdfMaker &) {
         files.failures["r.pdf"] = {FileFailure::Kind::Other, "No space left on device"};
     },
     kAllThree,
     "r.pdf: cannot be written: No space left on device\n",
     {"show.oxl"}},
    {"NameTakenAfterTheCheckRemovesTheEarlierOnes",
     [](FakeFileSystem &files, FakePdfMaker &) {
         files.failures["r.csv"] = {FileFailure::Kind::AlreadyExists, "File exists"};
     },
     kAllThree,
     "r.csv: already exists, and reports never replace a file\n",
     {"show.oxl"}},
};

class CommandLineReportFailureTest : public CommandLineReportsTest,
                                     public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CommandLineReportFailureTest, SaysWhyAndLeavesNoReportBehind) {
    const FailureCase &c = GetParam();
    c.arrange(fileSystem_, pdfMaker_);
    const auto before = fileSystem_.files;

    EXPECT_EQ(Write(c.files), kExitFailure);

    EXPECT_EQ(errors_.str(), c.errors);
    EXPECT_EQ(Names(), c.namesAfter);
    for (const auto &[name, bytes] : before) {
        EXPECT_EQ(fileSystem_.files[name], bytes) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, CommandLineReportFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(CommandLineReportsTest, AReportThatCannotBeRemovedAgainIsNamed) {
    // The text report is written, the PDF fails, and the text report then cannot be removed.
    class StubbornFileSystem : public FakeFileSystem {
      public:
        FileFailure remove(const QString &) override {
            return {FileFailure::Kind::Other, "Permission denied"};
        }
    } fileSystem;
    fileSystem.files = fileSystem_.files;
    fileSystem.failures["r.pdf"] = {FileFailure::Kind::Other, "Disk quota exceeded"};

    EXPECT_EQ(WriteReportsFromCommandLine({"show.oxl", "r.txt", {}, "r.pdf"}, fileSystem, pdfMaker_,
                                          '.', errors_),
              kExitFailure);
    EXPECT_EQ(errors_.str(),
              "r.pdf: cannot be written: Disk quota exceeded\n"
              "r.txt: written, but could not be removed again: Permission denied\n");
}

}  // namespace
}  // namespace bis
