#include "tabulation/frmSummaryReport.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/CommandButton.h"
#include "app/NumberText.h"
#include "files/FileActions.h"
#include "tabulation/Tabulation.h"

namespace bis {

frmSummaryReport::frmSummaryReport(ScreenContext &context)
    : Screen(context, QStringLiteral("Summary Report")) {
    setObjectName(QStringLiteral("frmSummaryReport"));

    lblHeading =
        Heading(QStringLiteral("lblHeading"), QStringLiteral("SUMMARY OF RESULTS"), 16, this);
    for (int c = 1; c <= kCategoryCount; ++c) {
        auto *name = Label(QStringLiteral("lblCategory%1").arg(c), QString(), this);
        name->setAlignment(Qt::AlignCenter);
        name->setWordWrap(true);
        lblCategory.set(c, name);
        txtScores.set(c, ValueBox(QStringLiteral("txtScores%1").arg(c)));
        txtBlooms.set(c, ValueBox(QStringLiteral("txtBlooms%1").arg(c)));
        txtStarred.set(c, ValueBox(QStringLiteral("txtStarred%1").arg(c)));
        txtResult.set(c, ValueBox(QStringLiteral("txtResult%1").arg(c)));
        for (QLineEdit *box : {&txtScores(c), &txtBlooms(c), &txtStarred(c)}) {
            box->setMaximumWidth(64);
        }
    }
    lblInstructions = Label(QStringLiteral("lblInstructions"),
                            QStringLiteral("Hold the mouse pointer over each button below for an "
                                           "explanation of its purpose."),
                            this);
    lblInstructions->setAlignment(Qt::AlignCenter);

    cmdFullReport = OutputButton(
        QStringLiteral("cmdFullReport"), QStringLiteral("Prepare Report to &View"),
        QStringLiteral("Prepare a full report that can be viewed in a Text Editor such as "
                       "Notepad. If a Word Processor is used, select all text and change to a "
                       "fixed width font, so that proper spacing is assured."));
    cmdCSVReport =
        OutputButton(QStringLiteral("cmdCSVReport"), QStringLiteral("Prepare &CSV Report"),
                     QStringLiteral("Prepares a report for export into spreadsheet"));
    cmdSave = OutputButton(
        QStringLiteral("cmdSave"), QStringLiteral("&Save Report"),
        QStringLiteral("Save the show information so it can be used by this program at a later "
                       "time. This step is essential if you wish to print the report, but no "
                       "printer is available now."));
    cmdPrint = OutputButton(QStringLiteral("cmdPrint"), QStringLiteral("&Print Report"),
                            QStringLiteral("Be sure that a printer is connected and turned on. A "
                                           "full show report will be printed."));
    cmdExit =
        OutputButton(QStringLiteral("cmdExit"), QStringLiteral("E&xit"),
                     QStringLiteral("Leave the program. Any unsaved information will be lost."));

    auto *buttons = new QHBoxLayout;
    for (CommandButton *button : {cmdFullReport, cmdCSVReport, cmdSave, cmdPrint, cmdExit}) {
        buttons->addWidget(button);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(lblHeading);
    layout->addWidget(Panel(1, 1));
    layout->addWidget(Panel(2, kCategoriesPerColumn + 1));
    layout->addStretch(1);
    layout->addWidget(lblInstructions);
    layout->addLayout(buttons);
    resize(860, 440);

    setTabOrder(cmdFullReport, cmdCSVReport);
    setTabOrder(cmdCSVReport, cmdSave);
    setTabOrder(cmdSave, cmdPrint);
    setTabOrder(cmdPrint, cmdExit);
    cmdFullReport->setFocus();

    connect(cmdFullReport, &CommandButton::Click, this, &frmSummaryReport::cmdFullReport_Click);
    connect(cmdCSVReport, &CommandButton::Click, this, &frmSummaryReport::cmdCSVReport_Click);
    connect(cmdSave, &CommandButton::Click, this, &frmSummaryReport::cmdSave_Click);
    connect(cmdPrint, &CommandButton::Click, this, &frmSummaryReport::cmdPrint_Click);
    connect(cmdExit, &CommandButton::Click, this, &frmSummaryReport::cmdExit_Click);

    Form_Load();
}

QLineEdit *frmSummaryReport::ValueBox(const QString &objectName) {
    QLineEdit *box = DisplayBox(objectName, this);
    box->setAlignment(Qt::AlignCenter);
    RetainPlaceWhenHidden(*box);
    return box;
}

CommandButton *frmSummaryReport::OutputButton(const QString &objectName, const QString &caption,
                                              const QString &tip) {
    CommandButton *button = Button(objectName, caption, this);
    button->setToolTip(tip);
    button->setMinimumWidth(button->sizeHint().width() + 16);
    return button;
}

QGroupBox *frmSummaryReport::Panel(int panel, int firstCategory) {
    // A group box without a title draws the panel's frame and is what screen readers present as
    // a group of the controls in it; a plain frame would be presented as a window of its own.
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("panel%1").arg(panel));
    frame->setAccessibleName(QStringLiteral("Categories %1 to %2")
                                 .arg(firstCategory)
                                 .arg(firstCategory + kCategoriesPerColumn - 1));
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const QStringList measures = {QStringLiteral("Scores"), QStringLiteral("Blooms"),
                                  QStringLiteral("Starred"), QStringLiteral("Result")};
    const QStringList names = {QStringLiteral("lblScores"), QStringLiteral("lblBlooms"),
                               QStringLiteral("lblStarred"), QStringLiteral("lblResult")};
    for (int row = 0; row < measures.size(); ++row) {
        auto *label = new QLabel(measures[row], frame);
        label->setObjectName(names[row] + QString::number(panel));
        grid->addWidget(label, row + 1, 0);
    }
    for (int column = 1; column <= kCategoriesPerColumn; ++column) {
        const int c = firstCategory + column - 1;
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 120);
        grid->addWidget(&lblCategory(c), 0, column, Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(&txtScores(c), 1, column, Qt::AlignHCenter);
        grid->addWidget(&txtBlooms(c), 2, column, Qt::AlignHCenter);
        grid->addWidget(&txtStarred(c), 3, column, Qt::AlignHCenter);
        grid->addWidget(&txtResult(c), 4, column);
    }
    return frame;
}

void frmSummaryReport::Form_Load() {
    ShowRecord &record = showRecord();
    for (int c = 1; c <= record.NumCategories; ++c) {
        CaptionCategory(lblCategory(c), c,
                        {{&txtScores(c), QStringLiteral("points deducted")},
                         {&txtBlooms(c), QStringLiteral("blooms per scape")},
                         {&txtStarred(c), QStringLiteral("starred entries")},
                         {&txtResult(c), QStringLiteral("result")}});
    }
    Tabulate(record);
    for (int c = 1; c <= record.NumCategories; ++c) {
        if (record.Blooms(c) == 0) {
            for (QLineEdit *box : {&txtBlooms(c), &txtResult(c), &txtScores(c), &txtStarred(c)}) {
                box->hide();
            }
        } else {
            txtBlooms(c).setText(QString::fromStdString(CountText(record.Blooms(c))));
            txtScores(c).setText(ScoreDisplay(record.Scores(0, c)));
            txtStarred(c).setText(QString::fromStdString(CountText(record.StarredEntries(c))));
        }
    }
    const QString result = QString::fromStdString(BestResultText(record));
    for (int c = 1; c <= record.NumCategories; ++c) {
        if (record.Winner(c) == 1) {
            txtResult(c).setText(result);
        } else {
            txtResult(c).hide();
        }
    }
}

void frmSummaryReport::cmdFullReport_Click() {
    PrepareTextReport(platform(), this, showRecord());
}

void frmSummaryReport::cmdCSVReport_Click() {
    PrepareCsvReport(platform(), this, showRecord());
}

void frmSummaryReport::cmdSave_Click() {
    // A saved show needs its journal no more.
    if (SaveShow(platform(), this, showRecord(), &context().journal)) {
        context().journal.Close();
    }
}

void frmSummaryReport::cmdPrint_Click() {
    PrintReport(platform(), this, showRecord());
}

void frmSummaryReport::cmdExit_Click() {
    if (showRecord().ReportSaved != 0) {
        platform().programEnd.endProgram();
        return;
    }
    EndProgramAfterWarning(
        QStringLiteral("You have not saved the information using the Save Report button. If you "
                       "exit, you will lose unsaved all information. Do you still wish to exit?"));
}

// Closing the summary from its frame is the same as Exit: an unsaved show is never lost without
// the warning.
void frmSummaryReport::Form_CloseRequested() {
    cmdExit_Click();
}

}  // namespace bis
