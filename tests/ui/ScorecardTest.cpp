// The judges' scorecard: score entry with running totals, moving between judges, removing a
// judge, tabulating and leaving, all through the keyboard and the mouse.
#include <gtest/gtest.h>

#include <QLabel>
#include <initializer_list>

#include "ballots/frmScorecard.h"
#include "support/ButtonState.h"
#include "support/VisibleWindows.h"
#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

const ShownMessage kPleaseCheck{"PLEASE CHECK!",
                                "Are you sure all judges' scores are recorded correctly?", true};
const ShownMessage kBallotsAreSecret{
    "BALLOTS ARE SECRET",
    "The information on the next screen is confidential and should be viewed only by the "
    "Tabulator and the Show Chairman.",
    false};
const ShownMessage kRemoveJudge{
    "Do you want to remove a judge?",
    "This should normally be done only if a judge steps down for ethical reasons after the "
    "number of judges has been entered. Are you sure you wish to do this?",
    true};
const ShownMessage kExitWarning{
    "WARNING!", "If you exit, you will lose all information. Do you still wish to exit?", true};

class ScorecardTest : public ScreenTest {
  protected:
    // Opens the scorecard for the judges and the bloom counts of categories 1, 2, ...
    void Open(int judges, std::initializer_list<int> blooms) {
        record.Initialise();
        record.NumJudges = static_cast<std::int16_t>(judges);
        int category = 1;
        for (const int count : blooms) {
            record.Blooms(category++) = static_cast<std::int16_t>(count);
        }
        card = new frmScorecard(context);
        card->ShowScreen();
        Activate(card);
    }

    QLineEdit *Box(const char *name, int i) {
        return Find<QLineEdit>(card, QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
    }
    QLineEdit *Score(int i) { return Box("txtJudgeScore", i); }
    QLineEdit *Total(int i) { return Box("txtCumulativeScore", i); }
    CommandButton *Button(const char *name) {
        return Find<CommandButton>(card, QString::fromLatin1(name));
    }
    QString JudgeNumber() { return Find<QLineEdit>(card, "txtJudgeNumber")->text(); }

    // Types the scores into the eligible boxes of the judge on screen, from the first one,
    // leaving each with Tab.
    void TypeBallot(std::initializer_list<const char *> scores) {
        for (const char *score : scores) {
            ClearFocusedBox();
            Type(QString::fromLatin1(score));
            Tab();
        }
    }

    void NextJudge() { Click(Button("cmdNextJudge")); }
    void PreviousJudge() { Click(Button("cmdPreviousJudge")); }
    void RemoveJudge() { Click(Button("cmdRemoveJudge")); }

    frmScorecard *card = nullptr;
};

TEST_F(ScorecardTest, OpensOnJudgeOneWithBoxesOnlyForEligibleCategories) {
    Open(3, {0, 4, 0, 2});
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Judges Scorecard"));
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 1"));
    EXPECT_EQ(record.Scores.lastJudge(), 3);
    EXPECT_EQ(record.BallotEntered.lastJudge(), 3);
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudgeScore2"));
    for (int i = 1; i <= 10; ++i) {
        const bool eligible = i == 2 || i == 4;
        EXPECT_EQ(
            Find<QLabel>(card, QStringLiteral("lblCategories%1").arg(i))->text().toStdString(),
            record.CategoryName(i));
        EXPECT_EQ(Score(i)->isVisible(), eligible) << i;
        EXPECT_EQ(Total(i)->isVisible(), eligible) << i;
        EXPECT_TRUE(Total(i)->isReadOnly());
        EXPECT_EQ(Total(i)->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(Total(i)->palette().color(QPalette::Text), QColor(Qt::red));
        EXPECT_TRUE(Total(i)->text().isEmpty());
        if (!eligible) {
            EXPECT_TRUE(Score(i)->isReadOnly());
        }
    }
    // Tab runs over the visible score boxes, then the buttons in their own order.
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order << FocusName();
        Tab();
    }
    EXPECT_EQ(order, (QStringList{"txtJudgeScore2", "txtJudgeScore4", "cmdNextJudge", "cmdExit",
                                  "cmdRemoveJudge"}));
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudgeScore2"));
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Next Judge"));
    EXPECT_EQ(Button("cmdNextJudge")->toolTip(), QStringLiteral("Go to the next judge."));
    EXPECT_FALSE(Button("cmdPreviousJudge")->isVisible());
    EXPECT_FALSE(Button("cmdPreviousJudge")->isEnabled());
    EXPECT_EQ(Button("cmdPreviousJudge")->toolTip(),
              QStringLiteral("Check the scores of the previous judge."));
    EXPECT_TRUE(IsAvailable(Button("cmdRemoveJudge")));
    EXPECT_TRUE(Button("cmdRemoveJudge")->toolTip().isEmpty());
    EXPECT_EQ(Button("cmdExit")->text(), QStringLiteral("E&xit"));
    EXPECT_FALSE(Find<QLineEdit>(card, "txtJudgeNumber")->focusPolicy() & Qt::TabFocus);
}

TEST_F(ScorecardTest, TwoColumnsOfFiveCategoriesAndTheButtonsInOneRow) {
    Open(2, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    for (int i = 1; i <= 5; ++i) {
        EXPECT_LT(Total(i)->x(), Score(i + 5)->x());
        EXPECT_EQ(Score(i)->y(), Score(i + 5)->y());
        EXPECT_LT(Score(i)->x(), Total(i)->x());
    }
    Button("cmdPreviousJudge")->setAvailable(true);
    int x = -1;
    for (const char *name : {"cmdNextJudge", "cmdPreviousJudge", "cmdRemoveJudge", "cmdExit"}) {
        EXPECT_GT(Button(name)->x(), x) << name;
        EXPECT_EQ(Button(name)->y(), Button("cmdNextJudge")->y());
        x = Button(name)->x();
    }
}

TEST_F(ScorecardTest, EmptyBoxStoresZeroAndShowsTheTotalWithoutAMessage) {
    Open(2, {3});
    Tab();
    EXPECT_EQ(Total(1)->text(), QStringLiteral("0.0"));
    EXPECT_EQ(record.Scores(1, 1), 0.0);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ScorecardTest, RunningTotalAddsTheJudgesScores) {
    Open(2, {3});
    TypeBallot({"2.5"});
    EXPECT_EQ(Total(1)->text(), QStringLiteral("2.5"));
    NextJudge();
    TypeBallot({"1.5"});
    EXPECT_EQ(Total(1)->text(), QStringLiteral("4.0"));
    EXPECT_EQ(record.Scores(0, 1), 4.0);
}

TEST_F(ScorecardTest, ScoreTypedJustBeforeAButtonIsStoredBeforeTheButtonActs) {
    Open(2, {3});
    Type("4");
    NextJudge();
    EXPECT_EQ(record.Scores(1, 1), 4.0);
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(Total(1)->text(), QStringLiteral("4.0"));
}

// A refused score keeps the judge on screen: the user corrects it before moving on.
TEST_F(ScorecardTest, RefusedScoreStopsNextJudge) {
    Open(2, {3});
    Type("7");
    AltKey('x');  // the access key of Exit must not act either
    Type("5.5");
    NextJudge();
    EXPECT_EQ(Shown(),
              (std::vector<ShownMessage>{InputError(kScoreRefused), InputError(kScoreRefused)}));
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 1"));
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudgeScore1"));
    EXPECT_EQ(fakes.programEnd.ended, 0);
}

TEST_F(ScorecardTest, RefusedScoreKeepsTheEarlierScoreUntilTheEmptyBoxIsLeft) {
    Open(2, {3});
    TypeBallot({"3"});
    BackTab();
    ClearFocusedBox();
    Type("x");
    Tab();
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{InputError(kScoreRefused)});
    EXPECT_EQ(Score(1)->text(), QString());
    EXPECT_EQ(record.Scores(1, 1), 3.0);
    EXPECT_EQ(Total(1)->text(), QStringLiteral("3.0"));
    Tab();
    EXPECT_EQ(record.Scores(1, 1), 0.0);
    EXPECT_EQ(Total(1)->text(), QStringLiteral("0.0"));
}

TEST_F(ScorecardTest, ThreeJudgesForwardAndBack) {
    Open(3, {2, 3});
    TypeBallot({"1", "2"});
    NextJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(Score(1)->text(), QString());
    EXPECT_EQ(Score(2)->text(), QString());
    EXPECT_TRUE(IsAvailable(Button("cmdPreviousJudge")));
    EXPECT_TRUE(IsAvailable(Button("cmdRemoveJudge")));
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudgeScore1"));
    TypeBallot({"0.5", "1.5"});
    NextJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 3"));
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Tabulate Results"));
    EXPECT_EQ(Button("cmdNextJudge")->toolTip(),
              QStringLiteral("Finished entering scores; get results."));
    EXPECT_FALSE(Button("cmdRemoveJudge")->isVisible());
    EXPECT_FALSE(Button("cmdRemoveJudge")->isEnabled());

    // Back from judge 3 with nothing typed: judge 2's scores, Next Judge, Remove a Judge again.
    PreviousJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(Score(1)->text(), QStringLiteral("0.5"));
    EXPECT_EQ(Score(2)->text(), QStringLiteral("1.5"));
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Next Judge"));
    EXPECT_EQ(Button("cmdNextJudge")->toolTip(), QStringLiteral("Go to the next judge."));
    EXPECT_TRUE(IsAvailable(Button("cmdRemoveJudge")));
    EXPECT_TRUE(IsAvailable(Button("cmdPreviousJudge")));
    PreviousJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 1"));
    EXPECT_EQ(Score(1)->text(), QStringLiteral("1.0"));
    EXPECT_FALSE(IsAvailable(Button("cmdPreviousJudge")));
    EXPECT_EQ(FocusName(), QStringLiteral("txtJudgeScore1"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ScorecardTest, LastJudgesEnteredBallotKeepsRemoveAJudgeHidden) {
    Open(3, {2});
    NextJudge();
    NextJudge();
    TypeBallot({"2"});
    PreviousJudge();
    EXPECT_FALSE(IsAvailable(Button("cmdRemoveJudge")));
    EXPECT_EQ(record.BallotEntered(3), 1);
}

TEST_F(ScorecardTest, BallotOfZerosLeftBackwardsComesBackEmpty) {
    Open(3, {2, 2});
    NextJudge();
    NextJudge();
    TypeBallot({"0", "0"});
    PreviousJudge();
    NextJudge();
    EXPECT_EQ(Score(1)->text(), QString());
    EXPECT_EQ(Score(2)->text(), QString());
    // A judge once left by Next Judge always comes back with the scores filled in.
    PreviousJudge();
    NextJudge();
    PreviousJudge();
    PreviousJudge();
    NextJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(Score(1)->text(), QStringLiteral("0.0"));
}

TEST_F(ScorecardTest, RemovingJudgesDownToTheOneOnScreenTurnsNextIntoTabulate) {
    Open(5, {2});
    NextJudge();
    messages.answers = {true};
    RemoveJudge();
    EXPECT_EQ(record.NumJudges, 4);
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(record.Scores.lastJudge(), 5);
    messages.answers = {true};
    RemoveJudge();
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Next Judge"));
    EXPECT_TRUE(IsAvailable(Button("cmdRemoveJudge")));
    messages.answers = {true};
    RemoveJudge();
    EXPECT_EQ(record.NumJudges, 2);
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Tabulate Results"));
    EXPECT_EQ(Button("cmdNextJudge")->toolTip(),
              QStringLiteral("Finished entering scores; get results."));
    EXPECT_FALSE(IsAvailable(Button("cmdRemoveJudge")));
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{kRemoveJudge, kRemoveJudge, kRemoveJudge}));
}

TEST_F(ScorecardTest, RemoveAJudgeAnsweredNoChangesNothing) {
    Open(3, {2});
    messages.answers = {false};
    RemoveJudge();
    EXPECT_EQ(record.NumJudges, 3);
    EXPECT_TRUE(IsAvailable(Button("cmdRemoveJudge")));
}

// A judge dropped after the ballot was entered leaves every total at once, so the summary never
// counts a judge who is no longer there.
TEST_F(ScorecardTest, RemovingAJudgeWithAnEnteredBallotTakesItOutOfEveryTotal) {
    Open(3, {2, 2, 2});
    TypeBallot({"1", "1"});  // category 3 left unvisited for judge 1
    NextJudge();
    TypeBallot({"2", "0.5", "4"});
    EXPECT_EQ(Total(3)->text(), QStringLiteral("4.0"));
    PreviousJudge();
    messages.answers = {true, true};
    RemoveJudge();
    RemoveJudge();
    EXPECT_EQ(record.NumJudges, 1);
    EXPECT_EQ(record.Scores(0, 1), 1.0);
    EXPECT_EQ(record.Scores(0, 2), 1.0);
    EXPECT_EQ(record.Scores(0, 3), 0.0);
    EXPECT_EQ(Total(1)->text(), QStringLiteral("1.0"));
    EXPECT_EQ(Total(3)->text(), QStringLiteral("0.0"));
    EXPECT_EQ(Total(4)->text(), QString());  // never shown, stays empty

    messages.answers = {true};
    NextJudge();  // "Tabulate Results" now
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores1")->text(), QStringLiteral("1.0"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores3")->text(), QStringLiteral("0.0"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtResult3")->text(), QStringLiteral("Best in Show"));
}

TEST_F(ScorecardTest, OneJudgeShowsTabulateScoresAndAsksAtOnce) {
    Open(1, {2});
    EXPECT_EQ(Button("cmdNextJudge")->text(), QStringLiteral("Tabulate Scores"));
    EXPECT_EQ(Button("cmdNextJudge")->toolTip(), QStringLiteral("Go to the next judge."));
    EXPECT_FALSE(IsAvailable(Button("cmdRemoveJudge")));
    messages.answers = {false};
    NextJudge();
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{kPleaseCheck});
    EXPECT_EQ(OpenScreen<frmScorecard>(), card);
    EXPECT_EQ(record.BallotEntered(1), 1);
}

TEST_F(ScorecardTest, TabulateAnsweredYesShowsTheNoticeAndOpensTheSummary) {
    Open(2, {2, 0, 3});
    TypeBallot({"1", "2"});
    NextJudge();
    TypeBallot({"1.5", "0"});
    messages.answers = {false};
    NextJudge();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    messages.answers = {true};
    Space();  // the focus is on Tabulate Results after Tab from the last box
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{kPleaseCheck, kPleaseCheck, kBallotsAreSecret}));
    EXPECT_EQ(LoadedScreens<frmScorecard>(), 0);
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(VisibleWindowCount(), 1);
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores1")->text(), QStringLiteral("2.5"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtScores3")->text(), QStringLiteral("2.0"));
    EXPECT_EQ(Find<QLineEdit>(summary, "txtResult3")->text(), QStringLiteral("Best in Show"));
}

TEST_F(ScorecardTest, NoEligibleCategoryPutsTheFocusOnNextJudgeAndStillTabulates) {
    Open(2, {});
    EXPECT_EQ(FocusName(), QStringLiteral("cmdNextJudge"));
    Space();
    EXPECT_EQ(JudgeNumber(), QStringLiteral(" 2"));
    EXPECT_EQ(FocusName(), QStringLiteral("cmdNextJudge"));
    messages.answers = {true};
    Space();
    frmSummaryReport *summary = OpenScreen<frmSummaryReport>();
    ASSERT_NE(summary, nullptr);
    for (int c = 1; c <= 10; ++c) {
        EXPECT_FALSE(Find<QLineEdit>(summary, QStringLiteral("txtResult%1").arg(c))->isVisible());
    }
}

TEST_F(ScorecardTest, ExitAsksAndYesEndsTheProgram) {
    Open(2, {2});
    messages.answers = {false};
    AltKey('x');
    EXPECT_EQ(fakes.programEnd.ended, 0);
    messages.answers = {true};
    AltKey('x');
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{kExitWarning, kExitWarning}));
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(ScorecardTest, ClosingTheWindowAsksTheSameQuestionAsExit) {
    Open(2, {2});
    TypeBallot({"3"});
    messages.answers = {false};
    card->close();
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{kExitWarning});
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(record.Scores(1, 1), 3.0);
    EXPECT_EQ(fakes.programEnd.ended, 0);
}

}  // namespace
}  // namespace bis::testing
