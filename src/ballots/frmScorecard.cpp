#include "ballots/frmScorecard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/CommandButton.h"
#include "app/NumberText.h"
#include "app/ScreenTexts.h"
#include "app/TextBox.h"
#include "tabulation/frmSummaryReport.h"

namespace bis {

namespace {

const QString kNextJudgeTip = QStringLiteral("Go to the next judge.");
const QString kTabulateTip = QStringLiteral("Finished entering scores; get results.");

}  // namespace

frmScorecard::frmScorecard(ScreenContext &context, const ScorecardState *resumeAt)
    : Screen(context, QStringLiteral("Judges Scorecard")),
      card(resumeAt != nullptr ? Scorecard(context.show, *resumeAt) : Scorecard(context.show)) {
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
    PrepareCategories();
    ShowJudgeAndButtons();
    FocusFirstEligibleBox();
    context().journal.Begin(this, showRecord());
}

void frmScorecard::ResumeAt(const ScorecardState &at) {
    const ShowRecord &record = showRecord();
    PrepareCategories();
    ShowJudgeAndButtons();
    FillBoxes(at.boxes);
    for (int i = 1; i <= record.NumCategories; ++i) {
        if (const auto &typed = at.typed[static_cast<std::size_t>(i - 1)]) {
            txtJudgeScore(i).setText(QString::fromStdString(*typed));
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

void frmScorecard::txtJudgeScore_LostFocus(int index) {
    TextBox &box = txtJudgeScore(index);
    const std::string text = box.text().toStdString();
    const char separator = platform().decimalSeparator;
    if (!card.LeaveScoreBox(index, text, separator)) {
        RefuseEntry(box, QStringLiteral("The score must be a decimal number between 0 and 5 at "
                                        "increments of 0.5. If the judge erroneously entered a "
                                        "number greater than 5, then enter a 5 and continue."));
        return;
    }
    txtCumulativeScore(index).setText(ScoreDisplay(showRecord().Scores(0, index)));
    context().journal.Record(this, JournalScore{static_cast<std::int16_t>(index), text, separator});
}

void frmScorecard::ShowJudgeAndButtons() {
    txtJudgeNumber->setText(QString::fromStdString(CountText(card.currentJudge())));
    static const QString kCaptions[] = {QStringLiteral("Next Judge"),
                                        QStringLiteral("Tabulate Scores"),
                                        QStringLiteral("Tabulate Results")};
    const NextButton next = card.nextButton();
    cmdNextJudge->setText(kCaptions[static_cast<int>(next)]);
    cmdNextJudge->setToolTip(next == NextButton::TabulateResults ? kTabulateTip : kNextJudgeTip);
    cmdPreviousJudge->setAvailable(card.previousShown());
    cmdRemoveJudge->setAvailable(card.removeShown());
}

void frmScorecard::FillBoxes(ScoreBoxes boxes) {
    const ShowRecord &record = showRecord();
    for (int i = 1; i <= record.NumCategories; ++i) {
        if (boxes == ScoreBoxes::Scores) {
            txtJudgeScore(i).setText(ScoreDisplay(record.Scores(card.currentJudge(), i)));
        } else {
            txtJudgeScore(i).clear();
        }
    }
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

void frmScorecard::cmdNextJudge_Click() {
    if (card.onLastJudge()) {
        if (!platform().messages.ask(
                this, QStringLiteral("PLEASE CHECK!"),
                QStringLiteral("Are you sure all judges' scores are recorded correctly?"))) {
            // The ballot on screen is entered all the same.
            card.NextJudge();
            context().journal.Record(this, JournalNextJudge{});
            return;
        }
        card.Tabulate();
        context().journal.Record(this, JournalTabulated{});
        platform().messages.notice(
            this, QStringLiteral("BALLOTS ARE SECRET"),
            QStringLiteral("The information on the next screen is confidential and should be "
                           "viewed only by the Tabulator and the Show Chairman."));
        auto *next = new frmSummaryReport(context());
        Unload();
        next->ShowScreen();
        return;
    }
    card.NextJudge();
    FillBoxes(card.state().boxes);
    ShowJudgeAndButtons();
    FocusFirstEligibleBox();
    context().journal.Record(this, JournalNextJudge{});
}

void frmScorecard::cmdPreviousJudge_Click() {
    if (!card.PreviousJudge()) {
        return;
    }
    FillBoxes(ScoreBoxes::Scores);
    // The focus leaves the button before it may be hidden, at judge 1.
    FocusFirstEligibleBox();
    ShowJudgeAndButtons();
    context().journal.Record(this, JournalPreviousJudge{});
}

void frmScorecard::cmdRemoveJudge_Click() {
    if (!platform().messages.ask(
            this, QStringLiteral("Do you want to remove a judge?"),
            QStringLiteral("This should normally be done only if a judge steps down for ethical "
                           "reasons after the number of judges has been entered. Are you sure you "
                           "wish to do this?")) ||
        !card.RemoveJudge()) {
        return;
    }
    // The dropped judge's scores left every total at once; totals not yet shown stay hidden.
    for (int i = 1; i <= showRecord().NumCategories; ++i) {
        if (!txtCumulativeScore(i).text().isEmpty()) {
            txtCumulativeScore(i).setText(ScoreDisplay(showRecord().Scores(0, i)));
        }
    }
    ShowJudgeAndButtons();
    context().journal.Record(this, JournalRemoveJudge{});
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
