// The summary of results: what it shows for a show, its output buttons and its Exit.
#include <gtest/gtest.h>

#include <QLabel>
#include <map>

#include "tabulation/frmSummaryReport.h"
#include "ui/ScreenTesting.h"

namespace bis::testing {
namespace {

const ShownMessage kUnsavedWarning{
    "WARNING!",
    "You have not saved the information using the Save Report button. If you exit, you will "
    "lose unsaved all information. Do you still wish to exit?",
    true};

// One category's ballots: its bloom count and each judge's score.
struct Column {
    int blooms;
    std::vector<double> scores;
};

class SummaryTest : public ScreenTest {
  protected:
    // Opens the summary for a show whose totals are the sums of the judges' scores.
    void Open(int judges, const std::map<int, Column> &columns) {
        record.Initialise();
        record.NumJudges = static_cast<std::int16_t>(judges);
        record.Scores.allocate(judges);
        for (const auto &[category, column] : columns) {
            record.Blooms(category) = static_cast<std::int16_t>(column.blooms);
            for (int j = 1; j <= judges; ++j) {
                record.Scores(j, category) = column.scores[static_cast<std::size_t>(j - 1)];
                record.Scores(0, category) += record.Scores(j, category);
            }
        }
        summary = new frmSummaryReport(context);
        summary->ShowScreen();
        Activate(summary);
    }

    QLineEdit *Box(const char *row, int c) {
        return Find<QLineEdit>(summary, QStringLiteral("%1%2").arg(QLatin1String(row)).arg(c));
    }
    // The texts of a column as shown: Scores, Blooms, Starred, Result; "-" for a hidden box.
    QStringList ColumnShown(int c) {
        QStringList texts;
        for (const char *row : {"txtScores", "txtBlooms", "txtStarred", "txtResult"}) {
            texts << (Box(row, c)->isVisible() ? Box(row, c)->text() : QStringLiteral("-"));
        }
        return texts;
    }

    frmSummaryReport *summary = nullptr;
};

TEST_F(SummaryTest, ShowsTheColumnsOfEligibleCategoriesAndTheResultUnderTheWinner) {
    // Three judges; LARGE 4 blooms, SMALL 6, SPIDER 3.
    Open(3, {{2, {4, {0.5, 1.0, 0.0}}}, {3, {6, {1.0, 1.0, 2.5}}}, {6, {3, {2.0, 0.5, 1.0}}}});
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("Summary Report"));
    EXPECT_EQ(ColumnShown(1), (QStringList{"-", "-", "-", "-"}));
    EXPECT_EQ(ColumnShown(2), (QStringList{"1.5", " 4", " 2", "Best in Show"}));
    EXPECT_EQ(ColumnShown(3), (QStringList{"4.5", " 6", " 0", "-"}));
    EXPECT_EQ(ColumnShown(6), (QStringList{"3.5", " 3", " 1", "-"}));
    for (int c = 1; c <= 10; ++c) {
        auto *name = Find<QLabel>(summary, QStringLiteral("lblCategory%1").arg(c));
        EXPECT_TRUE(name->isVisible());
        EXPECT_EQ(name->text().toStdString(), record.CategoryName(c));
        EXPECT_TRUE(Box("txtScores", c)->isReadOnly());
        EXPECT_EQ(Box("txtScores", c)->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(SummaryTest, PanelsAreGridsWithCategoriesAsColumnsAndMeasuresAsRows) {
    Open(1, {{1, {1, {1.0}}}, {7, {1, {1.0}}}});
    auto *upper = Find<QWidget>(summary, "panel1");
    auto *lower = Find<QWidget>(summary, "panel2");
    EXPECT_LT(upper->y(), lower->y());
    for (int c = 1; c <= 5; ++c) {
        auto *name = Find<QLabel>(summary, QStringLiteral("lblCategory%1").arg(c));
        auto *below = Find<QLabel>(summary, QStringLiteral("lblCategory%1").arg(c + 5));
        EXPECT_EQ(name->parentWidget(), upper);
        EXPECT_EQ(below->parentWidget(), lower);
        EXPECT_NEAR(name->geometry().center().x(), below->geometry().center().x(), 2);
    }
    const QStringList rows = {"Scores", "Blooms", "Starred", "Result"};
    int y = -1;
    for (int row = 0; row < rows.size(); ++row) {
        for (int panel = 1; panel <= 2; ++panel) {
            const QString name = QStringLiteral("lbl%1%2").arg(rows[row]).arg(panel);
            EXPECT_EQ(Find<QLabel>(summary, name)->text(), rows[row]);
        }
        const int rowY =
            Find<QLabel>(summary, QStringLiteral("lbl%1%2").arg(rows[row]).arg(1))->y();
        EXPECT_GT(rowY, y);
        y = rowY;
    }
    EXPECT_GT(Box("txtResult", 1)->width(), Box("txtScores", 1)->width());
}

TEST_F(SummaryTest, TieShowsBestTieInEachTiedColumnOnly) {
    Open(2, {{1, {5, {0.5, 1.0}}}, {4, {5, {1.0, 0.5}}}, {9, {5, {2.0, 2.0}}}});
    EXPECT_EQ(ColumnShown(1), (QStringList{"1.5", " 5", " 1", "Best (tie)"}));
    EXPECT_EQ(ColumnShown(4), (QStringList{"1.5", " 5", " 1", "Best (tie)"}));
    EXPECT_EQ(ColumnShown(9), (QStringList{"4.0", " 5", " 0", "-"}));
}

TEST_F(SummaryTest, ShowWithoutBloomsShowsOnlyNamesAndExitStillAsks) {
    Open(2, {});
    for (int c = 1; c <= 10; ++c) {
        EXPECT_EQ(ColumnShown(c), (QStringList{"-", "-", "-", "-"}));
    }
    messages.answers = {false, true};
    AltKey('x');
    EXPECT_EQ(fakes.programEnd.ended, 0);
    EXPECT_TRUE(summary->isVisible());
    AltKey('x');
    EXPECT_EQ(Shown(), (std::vector<ShownMessage>{kUnsavedWarning, kUnsavedWarning}));
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(SummaryTest, ButtonsCarryTheirCaptionsTipsAndFocusOrder) {
    Open(1, {{1, {1, {1.0}}}});
    const QStringList names = {"cmdFullReport", "cmdCSVReport", "cmdSave", "cmdPrint", "cmdExit"};
    const QStringList captions = {"Prepare Report to &View", "Prepare &CSV Report", "&Save Report",
                                  "&Print Report", "E&xit"};
    QStringList order;
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(Find<QWidget>(summary, names[i])->property("text").toString(), captions[i]);
        EXPECT_FALSE(Find<QWidget>(summary, names[i])->toolTip().isEmpty());
        order << FocusName();
        Tab();
    }
    EXPECT_EQ(order, names);
    EXPECT_EQ(Find<QWidget>(summary, "cmdCSVReport")->toolTip(),
              QStringLiteral("Prepares a report for export into spreadsheet"));
    EXPECT_EQ(Find<QWidget>(summary, "cmdExit")->toolTip(),
              QStringLiteral("Leave the program. Any unsaved information will be lost."));
}

TEST_F(SummaryTest, OutputButtonsWriteTheFilesAndPrintWithoutChangingTheScreen) {
    Open(2, {{3, {2, {1.0, 0.5}}}});
    const QStringList before = ColumnShown(3);
    fakes.fileDialogs.paths = {QStringLiteral("show.txt"), QStringLiteral("show.csv"),
                               QStringLiteral("show.oxl")};
    AltKey('v');
    AltKey('c');
    AltKey('p');
    EXPECT_EQ(record.ReportSaved, 0);
    AltKey('s');
    EXPECT_EQ(record.ReportSaved, 1);
    EXPECT_EQ(fakes.fileSystem.files.count("show.txt"), 1U);
    EXPECT_EQ(fakes.fileSystem.files.count("show.csv"), 1U);
    EXPECT_EQ(fakes.fileSystem.files.count("show.oxl"), 1U);
    EXPECT_EQ(fakes.printer.printed.size(), 1U);
    ASSERT_EQ(Shown().size(), 2U);
    EXPECT_EQ(Shown()[0].title, QStringLiteral("Caution"));
    EXPECT_EQ(Shown()[1].title, QStringLiteral("Caution"));
    EXPECT_EQ(ColumnShown(3), before);

    // Saved: Exit ends the program without the warning.
    AltKey('x');
    EXPECT_EQ(Shown().size(), 2U);
    EXPECT_EQ(fakes.programEnd.ended, 1);
}

TEST_F(SummaryTest, ClosingTheWindowOfAnUnsavedShowAsksFirst) {
    Open(1, {{1, {1, {1.0}}}});
    messages.answers = {false};
    summary->close();
    EXPECT_EQ(Shown(), std::vector<ShownMessage>{kUnsavedWarning});
    EXPECT_TRUE(summary->isVisible());
    EXPECT_EQ(fakes.programEnd.ended, 0);
}

}  // namespace
}  // namespace bis::testing
