// A show file given on the command line, recalled on the real screens as the program starts:
// straight to the summary when it is read, otherwise the message of Recall Existing Report and
// the introduction screen, which then works as usual.
#include <gtest/gtest.h>

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <map>
#include <ostream>

#include "app/frmIntro.h"
#include "setup/frmSetUp.h"
#include "support/QStringPrinter.h"
#include "support/ScratchFolder.h"
#include "support/VisibleWindows.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

std::string DataFile(const char *name) {
    return FileBytes(QStringLiteral(BESTINSHOW_TEST_DATA_DIR "/") + QLatin1String(name))
        .toStdString();
}

class CommandLineRecallTest : public ScreenTest {
  protected:
    // Starts the screens as the program does with a show file on its command line.
    void StartWith(const QString &path) {
        auto *intro = new frmIntro(context);
        if (!intro->RecallShowFile(path)) {
            intro->ShowScreen();
        }
    }

    // The texts of a category's column: Scores, Blooms, Starred, Result; "-" for a hidden box.
    QStringList ColumnShown(frmSummaryReport *summary, int c) {
        QStringList texts;
        for (const char *row : {"txtScores", "txtBlooms", "txtStarred", "txtResult"}) {
            auto *box = Find<QLineEdit>(summary, QStringLiteral("%1%2").arg(row).arg(c));
            texts << (box->isVisible() ? box->text() : QStringLiteral("-"));
        }
        return texts;
    }
};

TEST_F(CommandLineRecallTest, AShowThatIsReadOpensTheSummaryWithItsColumns) {
    fakes.fileSystem.files["tie.oxl"] = DataFile("tie_of_three.oxl");
    StartWith(QStringLiteral("tie.oxl"));

    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(LoadedScreens<frmIntro>(), 0);
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // LARGE, DBL.+POLY.+MULTI and POPULARITY POLL tie; UNUSUAL FORM has more points deducted.
    const std::map<int, QStringList> shown = {
        {2, {"3.0", " 3", " 1", "Best (tie)"}},
        {5, {"3.0", " 3", " 1", "Best (tie)"}},
        {7, {"7.0", " 5", " 0", "-"}},
        {9, {"3.0", " 3", " 1", "Best (tie)"}},
    };
    const QStringList kHidden{"-", "-", "-", "-"};
    for (int c = 1; c <= kCategoryCount; ++c) {
        SCOPED_TRACE(c);
        const auto column = shown.find(c);
        EXPECT_EQ(ColumnShown(summary, c), column != shown.end() ? column->second : kHidden);
    }

    // The show counts as saved: Exit ends the program without asking.
    Activate(summary);
    AltKey('x');
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

struct RefusedCase {
    const char *name;
    std::string bytes;  // nothing under the path when empty
    ShownMessage message;
};

void PrintTo(const RefusedCase &c, std::ostream *out) {
    *out << c.name;
}

const RefusedCase kRefused[] = {
    {"MissingFile", "", {"File error", "Sorry, file does not exist. Please try again.", false}},
    {"WrongVersion",
     "\"Version 03.00\"\r\n",
     {"Wrong version",
      "This file was prepared with Version 03.00 Please exit and use this version.", false}},
    {"TruncatedFile",
     DataFile("clear_win.oxl").substr(0, 150),
     {"File error", "Please select another file", false}},
};

class CommandLineRefusedTest : public CommandLineRecallTest,
                               public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(CommandLineRefusedTest, ShowsTheMessageThenTheIntroductionThatWorks) {
    const RefusedCase &c = GetParam();
    if (!c.bytes.empty()) {
        fakes.fileSystem.files["show.oxl"] = c.bytes;
    }
    // The message is shown with the normal cursor, before any screen.
    std::vector<std::string> cursorAtMessage;
    messages.whenShown = [&]() {
        cursorAtMessage.push_back(QGuiApplication::overrideCursor() == nullptr ? "none" : "set");
        EXPECT_EQ(VisibleWindowCount(), 0);
    };
    StartWith(QStringLiteral("show.oxl"));

    EXPECT_EQ(Shown(), std::vector<ShownMessage>{c.message});
    EXPECT_EQ(cursorAtMessage, std::vector<std::string>{"none"});
    EXPECT_EQ(LoadedScreens<frmSummaryReport>(), 0);
    frmIntro *intro = OpenScreen<frmIntro>();
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(record.ReportSaved, 0);

    // Set Up starts a new show from here, as after a failed Recall Existing Report.
    Activate(intro);
    AltKey('s');
    EXPECT_NE(OpenScreen<frmSetUp>(), nullptr);
    EXPECT_EQ(LoadedScreens<frmIntro>(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, CommandLineRefusedTest, ::testing::ValuesIn(kRefused),
                         [](const ::testing::TestParamInfo<RefusedCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace bis::testing
