// The first three screens: the introduction, the set-up screen and the information check, and
// the way from one to the next, driven with the keyboard and the mouse.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include "app/frmIntro.h"
#include "ballots/frmScorecard.h"
#include "files/ShowFile.h"
#include "setup/frmInfoCheck.h"
#include "setup/frmSetUp.h"
#include "support/ReportColumns.h"
#include "support/VisibleWindows.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

const ShownMessage kSetUpWarning{
    "WARNING!", "If you exit, you will lose all information. Do you still wish to exit?", true};

class StartTest : public ScreenTest {
  protected:
    frmIntro *StartProgram() {
        auto *intro = new frmIntro(context);
        intro->ShowScreen();
        Activate(intro);
        return intro;
    }
};

TEST_F(StartTest, IntroductionShowsTheVersionAndStartsWithTheFocusOnSetUp) {
    frmIntro *intro = StartProgram();
    EXPECT_EQ(intro->windowTitle(), QStringLiteral("Introduction"));
    EXPECT_EQ(Find<QLabel>(intro, "lblVersionNumber")->text(), QStringLiteral("Version 02.30"));
    EXPECT_EQ(Find<QLabel>(intro, "lblHead1")->text(),
              QStringLiteral("OXL BEST IN SHOW TABULATION"));
    EXPECT_EQ(record.NumCategories, 10);
    EXPECT_EQ(record.CategoryName(5), "DBL.+POLY.+ MULTI");
    EXPECT_EQ(record.NumJudges, 0);

    // Focus order: Set Up, Exit, Recall Existing Report, and round again.
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        order << FocusName();
        Tab();
    }
    EXPECT_EQ(order, (QStringList{"cmdSetup", "cmdExit", "cmdExisting", "cmdSetup"}));
    EXPECT_EQ(Find<CommandButton>(intro, "cmdSetup")->text(), QStringLiteral("&Set Up "));
    EXPECT_EQ(Find<CommandButton>(intro, "cmdExisting")->text(),
              QStringLiteral("&Recall Existing Report"));
    EXPECT_EQ(Find<CommandButton>(intro, "cmdExit")->text(), QStringLiteral("E&xit"));
    for (auto *button : intro->findChildren<CommandButton *>()) {
        EXPECT_TRUE(button->toolTip().isEmpty());
    }
}

TEST_F(StartTest, ExitEndsTheProgramWithoutAQuestion) {
    StartProgram();
    AltKey('x');
    EXPECT_EQ(fakes.programEnd.ended, 1);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(StartTest, ClosingTheIntroductionWindowEndsTheProgram) {
    frmIntro *intro = StartProgram();
    intro->close();
    EXPECT_EQ(fakes.programEnd.ended, 1);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(StartTest, SetUpClearsReportSavedAndReplacesTheIntroductionForGood) {
    StartProgram();
    record.ReportSaved = 1;
    Space();
    EXPECT_EQ(record.ReportSaved, 0);
    EXPECT_EQ(LoadedScreens<frmIntro>(), 0);
    frmSetUp *setUp = OpenScreen<frmSetUp>();
    ASSERT_NE(setUp, nullptr);
    EXPECT_EQ(VisibleWindowCount(), 1);
}

TEST_F(StartTest, FailedRecallKeepsTheIntroductionAndSetUpStillWorks) {
    StartProgram();
    fakes.fileDialogs.paths.push_back(std::nullopt);
    AltKey('r');
    EXPECT_EQ(Shown(),
              (std::vector<ShownMessage>{
                  {"File error", "Sorry, file does not exist. Please try again.", false}}));
    ASSERT_NE(OpenScreen<frmIntro>(), nullptr);

    fakes.fileSystem.files["old.oxl"] = "Version 01.00\r\n";
    fakes.fileDialogs.paths.push_back(QStringLiteral("old.oxl"));
    AltKey('r');
    ASSERT_EQ(Shown().size(), 2U);
    EXPECT_EQ(Shown()[1].title, QStringLiteral("Wrong version"));
    ASSERT_NE(OpenScreen<frmIntro>(), nullptr);

    AltKey('s');
    EXPECT_NE(OpenScreen<frmSetUp>(), nullptr);
    EXPECT_EQ(LoadedScreens<frmIntro>(), 0);
}

TEST_F(StartTest, RecallOpensTheSummaryAndExitThenAsksNothing) {
    ShowRecord saved;
    saved.Initialise();
    saved.NumJudges = 1;
    saved.Blooms(2) = 4;
    saved.Scores.allocate(1);
    saved.Scores(1, 2) = 1.5;
    saved.Scores(0, 2) = 1.5;
    fakes.fileSystem.files["show.oxl"] = ShowFileBytes(saved);
    fakes.fileDialogs.paths.push_back(QStringLiteral("show.oxl"));

    StartProgram();
    Tab();
    Tab();  // to Recall Existing Report
    ASSERT_EQ(FocusName(), QStringLiteral("cmdExisting"));
    Space();
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(record.ReportSaved, 1);
    EXPECT_EQ(LoadedScreens<frmIntro>(), 0);
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(Find<QLineEdit>(summary, "txtResult2")->text(), QStringLiteral("Best in Show"));
    Activate(summary);
    AltKey('x');
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(StartTest, RecallOfTheLargestShowIsShownAndReported) {
    // 32767 judges, the most a 16-bit count holds. Every judge deducts 1 on LARGE and 0.5 on
    // SEEDLING, so SEEDLING totals 16383.5 and is starred by every judge.
    ShowRecord saved;
    saved.Initialise();
    saved.NumJudges = 32767;
    saved.Blooms(2) = 3;
    saved.Blooms(10) = 2;
    saved.Scores.allocate(saved.NumJudges);
    for (int j = 1; j <= saved.NumJudges; ++j) {
        saved.Scores(j, 2) = 1.0;
        saved.Scores(j, 10) = 0.5;
    }
    saved.Scores(0, 2) = 32767.0;
    saved.Scores(0, 10) = 16383.5;
    fakes.fileSystem.files["large.oxl"] = ShowFileBytes(saved);
    fakes.fileDialogs.paths.push_back(QStringLiteral("large.oxl"));
    fakes.fileDialogs.paths.push_back(QStringLiteral("large.txt"));

    StartProgram();
    AltKey('r');
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores2")->text(), QStringLiteral("32767.0"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores10")->text(), QStringLiteral("16383.5"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtStarred10")->text(), QStringLiteral(" 32767"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtStarred2")->text(), QStringLiteral(" 0"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtResult10")->text(), QStringLiteral("Best in Show"));

    Activate(summary);
    AltKey('v');
    ASSERT_EQ(fakes.fileSystem.files.count("large.txt"), 1u);
    const std::string &report = fakes.fileSystem.files["large.txt"];
    const std::string lastJudge =
        AtColumns({{1, "   32767"}, {TextColumn(2), "    1.0"}, {TextColumn(10), "*   0.5"}});
    EXPECT_NE(report.find("\r\n" + lastJudge + "\r\n"), std::string::npos);
}

class SetUpTest : public ScreenTest {
  protected:
    void SetUp() override {
        record.Initialise();
        setUp = new frmSetUp(context);
        setUp->ShowScreen();
        Activate(setUp);
    }

    // Tabs from the club box to the box with that name.
    void TabTo(const QString &name) {
        for (int i = 0; i < 20 && FocusName() != name; ++i) {
            if (FocusName() == QStringLiteral("txtJudges") &&
                static_cast<QLineEdit *>(Focus())->text().isEmpty()) {
                Type(QStringLiteral("2"));
            }
            Tab();
        }
        ASSERT_EQ(FocusName(), name);
    }

    frmInfoCheck *ContinueToInfoCheck() {
        Click(Find<QWidget>(setUp, "cmdContinue"));
        frmInfoCheck *check = OpenScreen<frmInfoCheck>();
        EXPECT_NE(check, nullptr);
        if (check != nullptr) {
            Activate(check);
        }
        return check;
    }

    static QStringList Items(QWidget *screen, const QString &list) {
        QStringList items;
        auto *widget = screen->findChild<QListWidget *>(list);
        for (int row = 0; row < widget->count(); ++row) {
            items << widget->item(row)->text();
        }
        return items;
    }

    frmSetUp *setUp = nullptr;
};

TEST_F(SetUpTest, ShowsTheCategoriesInTwoColumnsAndTabsThroughEveryBoxInOrder) {
    EXPECT_EQ(setUp->windowTitle(), QStringLiteral("Set Up "));
    for (int i = 1; i <= 10; ++i) {
        auto *label = Find<QLabel>(setUp, QStringLiteral("lblCategory%1").arg(i));
        EXPECT_EQ(label->text().toStdString(), record.CategoryName(i));
        if (i <= 5) {
            auto *right = Find<QLabel>(setUp, QStringLiteral("lblCategory%1").arg(i + 5));
            EXPECT_LT(label->x(), right->x());
            EXPECT_EQ(label->y(), right->y());
        }
        if (i > 1 && i != 6) {
            auto *above = Find<QLabel>(setUp, QStringLiteral("lblCategory%1").arg(i - 1));
            EXPECT_GT(label->y(), above->y());
        }
    }
    QStringList expected = {"txtClubName", "txtLocation", "txtShowDate", "txtJudges"};
    for (int i = 1; i <= 10; ++i) {
        expected << QStringLiteral("txtBlooms%1").arg(i);
    }
    expected << "cmdContinue"
             << "cmdExit";
    QStringList order;
    for (int i = 0; i < expected.size(); ++i) {
        order << FocusName();
        Tab();
        if (FocusName() == "txtJudges") {
            Type("2");  // an empty judges box would be refused on leaving
        }
    }
    EXPECT_EQ(order, expected);
    EXPECT_EQ(Find<QWidget>(setUp, "txtJudges")->toolTip(),
              QStringLiteral("Enter the number of judges."));
    EXPECT_EQ(Find<QWidget>(setUp, "cmdContinue")->toolTip(),
              QStringLiteral("Process judges' scores"));
    EXPECT_EQ(Find<QWidget>(setUp, "cmdExit")->toolTip(),
              QStringLiteral("Exit program, lose information"));
    EXPECT_EQ(Find<QLabel>(setUp, "Label3")->text(),
              QStringLiteral(" Note: The category \"DBL.+POLY.+ MULTI.\" abbreviates \"DOUBLE, "
                             "POLYMEROUS, MULTIFORM\""));
}

TEST_F(SetUpTest, EmptyJudgesBoxIsRefusedWhenLeft) {
    TabTo("txtJudges");
    Tab();
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{InputError(kJudgesRefused)});
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudges"));
    EXPECT_EQ(record.NumJudges, 0);
}

TEST_F(SetUpTest, ExitAsksAndNoKeepsTheScreen) {
    Type("Club");
    messages.answers = {false};
    AltKey('x');
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{kSetUpWarning});
    EXPECT_EQ(fakes.programEnd.ended, 0);
    EXPECT_EQ(record.ClubName, "Club");  // the box was left for the button, so it was stored
    messages.answers = {true};
    Click(Find<QWidget>(setUp, "cmdExit"));
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(SetUpTest, ClosingTheWindowAsksTheSameQuestionAsExit) {
    messages.answers = {false, true};
    setUp->close();
    EXPECT_EQ(fakes.programEnd.ended, 0);
    EXPECT_TRUE(setUp->isVisible());
    setUp->close();
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{kSetUpWarning, kSetUpWarning}));
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(SetUpTest, RefusedBloomEntryStopsContinue) {
    TabTo("txtBlooms2");
    Type("2.5");
    Click(Find<QWidget>(setUp, "cmdContinue"));
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{InputError(kBloomsRefused)});
    EXPECT_EQ(FocusName(), QStringLiteral("txtBlooms2"));
    EXPECT_EQ(OpenScreen<frmInfoCheck>(), nullptr);
    EXPECT_TRUE(setUp->isVisible());
}

TEST_F(SetUpTest, InfoCheckListsEligibleAndIneligibleCategoriesInOrder) {
    TabTo("txtJudges");
    Type("3");
    const QStringList blooms = {"3", "0", "", "5", "  ", "0", "0", "0", "0", "1"};
    for (const QString &count : blooms) {
        Tab();
        Type(count);
    }
    frmInfoCheck *check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(setUp->isVisible());
    EXPECT_EQ(LoadedScreens<frmSetUp>(), 1);
    EXPECT_EQ(check->windowTitle(), QStringLiteral("Information Check"));
    EXPECT_EQ(Find<QLineEdit>(check, "txtNumJudges")->text(), QStringLiteral("3"));
    EXPECT_EQ(Items(check, "lstEligible"), (QStringList{"EXTRA LARGE", "MINIATURE", "SEEDLING"}));
    EXPECT_EQ(Items(check, "lstIneligible"),
              (QStringList{"LARGE", "SMALL", "DBL.+POLY.+ MULTI", "SPIDER", "UNUSUAL FORM",
                           "YOUTH ENTRY", "POPULARITY POLL"}));
    EXPECT_EQ(FocusName(), QStringLiteral("cmdContinue"));
    Tab();
    EXPECT_EQ(FocusName(), QStringLiteral("cmdBack"));
    EXPECT_EQ(Find<QWidget>(check, "cmdBack")->toolTip(),
              QStringLiteral("  Press if the information must be changed."));
    EXPECT_EQ(Find<QWidget>(check, "cmdContinue")->toolTip(),
              QStringLiteral("Press if the information is correct."));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SetUpTest, GoBackKeepsTheEntriesAndContinueAgainRebuildsTheLists) {
    Type("Hometown Club");
    TabTo("txtBlooms1");
    Type("4");
    Tab();
    frmInfoCheck *check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(Find<QLineEdit>(check, "txtNumJudges")->text(), QStringLiteral("2"));
    AltKey('g');
    EXPECT_EQ(LoadedScreens<frmInfoCheck>(), 0);
    ASSERT_EQ(OpenScreen<frmSetUp>(), setUp);
    EXPECT_EQ(Find<QLineEdit>(setUp, "txtClubName")->text(), QStringLiteral("Hometown Club"));
    EXPECT_EQ(Find<QLineEdit>(setUp, "txtBlooms1")->text(), QStringLiteral("4"));
    EXPECT_EQ(record.ClubName, "Hometown Club");
    EXPECT_EQ(record.Blooms(1), 4);

    Activate(setUp);
    Find<QWidget>(setUp, "txtBlooms2")->setFocus();
    Type("2");
    check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(Items(check, "lstEligible"), (QStringList{"EXTRA LARGE", "LARGE"}));
    EXPECT_EQ(Items(check, "lstIneligible").size(), 8);
}

TEST_F(SetUpTest, AllBloomCountsZeroListsEveryCategoryAsIneligible) {
    frmInfoCheck *check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(Items(check, "lstEligible").isEmpty());
    EXPECT_EQ(Items(check, "lstIneligible").size(), 10);
}

// A judge count never entered cannot reach the scorecard: Continue refuses with the judge-count
// message, and Go back lets the user put it right.
TEST_F(SetUpTest, ContinueWithNoJudgesIsRefusedUntilTheCountIsEntered) {
    frmInfoCheck *check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(Find<QLineEdit>(check, "txtNumJudges")->text(), QStringLiteral("0"));
    AltKey('c');
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{InputError(kJudgesRefused)});
    EXPECT_EQ(LoadedScreens<frmScorecard>(), 0);
    ASSERT_NE(OpenScreen<frmInfoCheck>(), nullptr);

    AltKey('g');
    Activate(setUp);
    Find<QWidget>(setUp, "txtJudges")->setFocus();
    Type("2");
    ContinueToInfoCheck();
    AltKey('c');
    EXPECT_EQ(Shown().size(), 1U);
    EXPECT_EQ(LoadedScreens<frmInfoCheck>(), 0);
    EXPECT_EQ(LoadedScreens<frmSetUp>(), 0);
    EXPECT_NE(OpenScreen<frmScorecard>(), nullptr);
    EXPECT_EQ(record.NumJudges, 2);
}

TEST_F(SetUpTest, ClosingTheInfoCheckWindowGoesBack) {
    frmInfoCheck *check = ContinueToInfoCheck();
    ASSERT_NE(check, nullptr);
    check->close();
    EXPECT_EQ(LoadedScreens<frmInfoCheck>(), 0);
    EXPECT_EQ(OpenScreen<frmSetUp>(), setUp);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(fakes.programEnd.ended, 0);
}

}  // namespace
}  // namespace bis::testing
