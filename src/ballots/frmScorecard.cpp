#include "ballots/frmScorecard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/CommandButton.h"
#include "app/EntryChecks.h"
#include "app/NumberText.h"
#include "app/ScreenTexts.h"
#include "app/TextBox.h"
#include "tabulation/frmSummaryReport.h"

namespace bis {

namespace {

const QString kNextJudgeTip = QStringLiteral("Go to the next judge.");
const QString kTabulateTip = QStringLiteral("Finished entering scores; get results.");

}  // namespace

frmScorecard::frmScorecard(ScreenContext &context, const JournalScorecard *resumeAt)
    : Screen(context, QStringLiteral("Judges Scorecard")) {
    setObjectName(QStringLiteral("frmScorecard"));

    Label1 = Heading(QStringLiteral("Label1"), QStringLiteral("JUDGES' SCORECARD"), 16, this);
    lblJudgeNumber = Label(QStringLiteral("lblJudgeNumber"), QStringLiteral("JUDGE NUMBER:"), this);
    txtJudgeNumber = DisplayBox(QStringLiteral("txtJudgeNumber"), this);
    txtJudgeNumber->setMaximumWidth(60);
    NameBox(*lblJudgeNumber, *txtJudgeNumber, QStringLiteral("Judge number"));
    lblInstructions = WrappedLabel(
        QStringLiteral("lblInstructions"),
        QStringLiteral(
            "INSTRUCTIONS: Enter the scores for this judge in the boxes to the right of the "
            "categories. Scores must be decimal numbers between 0 and 5 inclusive, at intervals "
            "of .5. Cumulative totals appear in red. Press Next Judge to go to the next judge. "
            "Press Tabulate when done. Press Previous Judge to return to the previous judge. If "
            "you press Exit, you will leave the program and lose all information."),
        this);

    for (int i = 1; i <= kCategoryCount; ++i) {
        lblCategories.set(i, Label(QStringLiteral("lblCategories%1").arg(i), QString(), this));
        auto *score = new TextBox(this);
        score->setObjectName(QStringLiteral("txtJudgeScore%1").arg(i));
        score->setMaximumWidth(64);
        RetainPlaceWhenHidden(*score);
        txtJudgeScore.set(i, score);
        QLineEdit *total = DisplayBox(QStringLiteral("txtCumulativeScore%1").arg(i), this);
        total->setMaximumWidth(72);
        QPalette red = total->palette();
        red.setColor(QPalette::Text, Qt::red);
        total->setPalette(red);
        RetainPlaceWhenHidden(*total);
        txtCumulativeScore.set(i, total);
    }

    cmdNextJudge = Button(QStringLiteral("cmdNextJudge"), QStringLiteral("Next Judge"), this);
    cmdPreviousJudge =
        Button(QStringLiteral("cmdPreviousJudge"), QStringLiteral("Previous Judge"), this);
    cmdPreviousJudge->setToolTip(QStringLiteral("Check the scores of the previous judge."));
    cmdRemoveJudge =
        Button(QStringLiteral("cmdRemoveJudge"), QStringLiteral("Remove a Judge"), this);
    cmdExit = Button(QStringLiteral("cmdExit"), QStringLiteral("E&xit"), this);
    // A hidden button keeps its place, so the row of buttons does not shift.
    for (CommandButton *button : {cmdNextJudge, cmdPreviousJudge, cmdRemoveJudge, cmdExit}) {
        RetainPlaceWhenHidden(*button);
    }

    auto *top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(Label1, 4);
    top->addStretch(0);
    top->addWidget(lblJudgeNumber);
    top->addWidget(txtJudgeNumber);

    // Two columns of five category rows: label, score box, running total.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(3, 30);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(4, 1);
    for (int i = 1; i <= kCategoryCount; ++i) {
        const int row = (i - 1) % kCategoriesPerColumn;
        const int column = i <= kCategoriesPerColumn ? 0 : 4;
        grid->addWidget(&lblCategories(i), row, column);
        grid->addWidget(&txtJudgeScore(i), row, column + 1);
        grid->addWidget(&txtCumulativeScore(i), row, column + 2);
    }

    auto *buttons = new QHBoxLayout;
    for (CommandButton *button : {cmdNextJudge, cmdPreviousJudge, cmdRemoveJudge, cmdExit}) {
        buttons->addWidget(button);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(lblInstructions);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(700, 400);

    for (int i = 1; i < kCategoryCount; ++i) {
        setTabOrder(&txtJudgeScore(i), &txtJudgeScore(i + 1));
    }
    setTabOrder(&txtJudgeScore(kCategoryCount), cmdNextJudge);
    setTabOrder(cmdNextJudge, cmdPreviousJudge);
    setTabOrder(cmdPreviousJudge, cmdExit);
    setTabOrder(cmdExit, cmdRemoveJudge);

    for (int i = 1; i <= kCategoryCount; ++i) {
        connect(&txtJudgeScore(i), &TextBox::LostFocus, this,
                [this, i] { txtJudgeScore_LostFocus(i); });
    }
    connect(cmdNextJudge, &CommandButton::Click, this, &frmScorecard::cmdNextJudge_Click);
    connect(cmdPreviousJudge, &CommandButton::Click, this, &frmScorecard::cmdPreviousJudge_Click);
    connect(cmdRemoveJudge, &CommandButton::Click, this, &frmScorecard::cmdRemoveJudge_Click);
    connect(cmdExit, &CommandButton::Click, this, &frmScorecard::cmdExit_Click);

    if (resumeAt != nullptr) {
        ResumeAt(*resumeAt);
    } else {
        Form_Load();
    }
}

void frmScorecard::Form_Load() {
    ShowRecord &record = showRecord();
    record.Scores.allocate(record.NumJudges);
    record.BallotEntered.allocate(record.NumJudges);
    cmdNextJudge->setToolTip(kNextJudgeTip);
    PrepareCategories();
    cmdPreviousJudge->setAvailable(false);
    CurrentJudge = 1;
    ShowJudgeNumber();
    if (CurrentJudge == record.NumJudges) {
        cmdNextJudge->setText(QStringLiteral("Tabulate Scores"));
        cmdRemoveJudge->setAvailable(false);
    }
    FocusFirstEligibleBox();
    context().journal.Begin(this, record);
}

void frmScorecard::ResumeAt(const JournalScorecard &at) {
    const ShowRecord &record = showRecord();
    cmdNextJudge->setToolTip(kNextJudgeTip);
    PrepareCategories();
    CurrentJudge = at.currentJudge;
    ShowJudgeNumber();
    cmdPreviousJudge->setAvailable(CurrentJudge > 1);
    cmdRemoveJudge->setAvailable(at.removeShown);
    if (CurrentJudge == record.NumJudges) {
        if (at.openedWithJudges == 1) {
            cmdNextJudge->setText(QStringLiteral("Tabulate Scores"));
        } else {
            ShowTabulateResults();
        }
    }
    for (int i = 1; i <= record.NumCategories; ++i) {
        const auto &typed = at.typed[static_cast<std::size_t>(i - 1)];
        if (typed) {
            txtJudgeScore(i).setText(QString::fromStdString(*typed));
        } else if (at.boxes == JournalBoxes::Scores) {
            txtJudgeScore(i).setText(ScoreDisplay(record.Scores(CurrentJudge, i)));
        }
        if (at.totalShown[static_cast<std::size_t>(i - 1)]) {
            txtCumulativeScore(i).setText(ScoreDisplay(record.Scores(0, i)));
        }
    }
    for (int i = at.lastBoxLeft + 1; i <= record.NumCategories; ++i) {
        if (record.Eligible(i)) {
            txtJudgeScore(i).setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    cmdNextJudge->setFocus(Qt::OtherFocusReason);
}

void frmScorecard::PrepareCategories() {
    ShowRecord &record = showRecord();
    for (int i = 1; i <= record.NumCategories; ++i) {
        CaptionCategory(lblCategories(i), i,
                        {{&txtJudgeScore(i), QStringLiteral("score")},
                         {&txtCumulativeScore(i), QStringLiteral("running total")}});
        if (record.Blooms(i) == 0) {
            txtJudgeScore(i).hide();
            txtJudgeScore(i).setFocusPolicy(Qt::NoFocus);
            txtJudgeScore(i).setReadOnly(true);
            txtCumulativeScore(i).hide();
        }
    }
}

void frmScorecard::JournalPosition(std::int16_t enteredJudge, JournalBoxes boxes) {
    const ShowRecord &record = showRecord();
    JournalJudge position{
        record.NumJudges, CurrentJudge, enteredJudge, cmdRemoveJudge->isEnabled(), boxes, {}};
    for (int i = 1; i <= kCategoryCount; ++i) {
        position.totals[static_cast<std::size_t>(i - 1)] = record.Scores(0, i);
    }
    context().journal.Record(this, position);
}

void frmScorecard::txtJudgeScore_LostFocus(int index) {
    TextBox &box = txtJudgeScore(index);
    const auto score = ScoreEntry(EntryBytes(box.text()), platform().decimalSeparator);
    if (!score) {
        RefuseEntry(box, QStringLiteral("The score must be a decimal number between 0 and 5 at "
                                        "increments of 0.5. If the judge erroneously entered a "
                                        "number greater than 5, then enter a 5 and continue."));
        return;
    }
    ShowRecord &record = showRecord();
    record.Scores(CurrentJudge, index) = *score;
    RecomputeTotal(index);
    context().journal.Record(this,
                             JournalScore{CurrentJudge, static_cast<std::int16_t>(index), *score,
                                          record.Scores(0, index), box.text().toStdString()});
}

void frmScorecard::RecomputeTotal(int category) {
    ShowRecord &record = showRecord();
    double total = 0.0;
    for (int judge = 1; judge <= record.NumJudges; ++judge) {
        total += record.Scores(judge, category);
    }
    record.Scores(0, category) = total;
    txtCumulativeScore(category).setText(ScoreDisplay(total));
}

void frmScorecard::ShowJudgeNumber() {
    txtJudgeNumber->setText(QString::fromStdString(CountText(CurrentJudge)));
}

void frmScorecard::FocusFirstEligibleBox() {
    for (int i = 1; i <= showRecord().NumCategories; ++i) {
        if (showRecord().Blooms(i) > 0) {
            txtJudgeScore(i).setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    cmdNextJudge->setFocus(Qt::OtherFocusReason);
}

void frmScorecard::ShowTabulateResults() {
    cmdNextJudge->setText(QStringLiteral("Tabulate Results"));
    cmdNextJudge->setToolTip(kTabulateTip);
    cmdRemoveJudge->setAvailable(false);
}

void frmScorecard::cmdNextJudge_Click() {
    ShowRecord &record = showRecord();
    record.BallotEntered(CurrentJudge) = 1;
    if (CurrentJudge == record.NumJudges) {
        if (!platform().messages.ask(
                this, QStringLiteral("PLEASE CHECK!"),
                QStringLiteral("Are you sure all judges' scores are recorded correctly?"))) {
            JournalPosition(CurrentJudge, JournalBoxes::Unchanged);
            return;
        }
        context().journal.Record(this, JournalTabulated{CurrentJudge});
        platform().messages.notice(
            this, QStringLiteral("BALLOTS ARE SECRET"),
            QStringLiteral("The information on the next screen is confidential and should be "
                           "viewed only by the Tabulator and the Show Chairman."));
        auto *next = new frmSummaryReport(context());
        Unload();
        next->ShowScreen();
        return;
    }
    const std::int16_t left = CurrentJudge;
    ++CurrentJudge;
    if (CurrentJudge == record.NumJudges) {
        ShowTabulateResults();
    }
    for (int i = 1; i <= record.NumCategories; ++i) {
        if (record.BallotEntered(CurrentJudge) == 1) {
            txtJudgeScore(i).setText(ScoreDisplay(record.Scores(CurrentJudge, i)));
        } else {
            txtJudgeScore(i).clear();
        }
    }
    ShowJudgeNumber();
    FocusFirstEligibleBox();
    cmdPreviousJudge->setAvailable(true);
    JournalPosition(
        left, record.BallotEntered(CurrentJudge) == 1 ? JournalBoxes::Scores : JournalBoxes::Empty);
}

void frmScorecard::cmdPreviousJudge_Click() {
    ShowRecord &record = showRecord();
    const std::int16_t left = CurrentJudge;
    std::int16_t entered = 0;
    for (int i = 1; i <= record.NumCategories; ++i) {
        if (record.Scores(CurrentJudge, i) > 0.0) {
            record.BallotEntered(CurrentJudge) = 1;
            entered = left;
            break;
        }
    }
    if (record.BallotEntered(record.NumJudges) == 0) {
        cmdRemoveJudge->setAvailable(true);
    }
    --CurrentJudge;
    ShowJudgeNumber();
    cmdNextJudge->setText(QStringLiteral("Next Judge"));
    cmdNextJudge->setToolTip(kNextJudgeTip);
    for (int i = 1; i <= record.NumCategories; ++i) {
        txtJudgeScore(i).setText(ScoreDisplay(record.Scores(CurrentJudge, i)));
    }
    FocusFirstEligibleBox();
    if (CurrentJudge == 1) {
        cmdPreviousJudge->setAvailable(false);
    }
    JournalPosition(entered, JournalBoxes::Scores);
}

void frmScorecard::cmdRemoveJudge_Click() {
    ShowRecord &record = showRecord();
    bool removed = false;
    if (platform().messages.ask(
            this, QStringLiteral("Do you want to remove a judge?"),
            QStringLiteral("This should normally be done only if a judge steps down for ethical "
                           "reasons after the number of judges has been entered. Are you sure you "
                           "wish to do this?"))) {
        --record.NumJudges;
        // The dropped judge's scores leave every total at once, so the tabulation never counts
        // a judge who is no longer among judges 1..NumJudges. Totals not yet shown stay hidden.
        for (int i = 1; i <= record.NumCategories; ++i) {
            const bool shown = !txtCumulativeScore(i).text().isEmpty();
            RecomputeTotal(i);
            if (!shown) {
                txtCumulativeScore(i).clear();
            }
        }
        removed = true;
    }
    if (CurrentJudge == record.NumJudges) {
        ShowTabulateResults();
    }
    if (removed) {
        JournalPosition(0, JournalBoxes::Unchanged);
    }
}

void frmScorecard::cmdExit_Click() {
    EndProgramAfterWarning(kExitLosesAllInformation);
}

// Closing the scorecard from its frame asks the same question as Exit, so entered ballots are
// never lost without a word.
void frmScorecard::Form_CloseRequested() {
    cmdExit_Click();
}

}  // namespace bis
