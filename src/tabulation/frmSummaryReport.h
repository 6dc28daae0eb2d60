#pragma once

#include "app/ControlArray.h"
#include "app/Screen.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace bis {

class CommandButton;

// The summary of results, the last screen. Loading it tabulates the ballots and fills one
// column per category; after that nothing on it changes. Its buttons write the reports and the
// show file, print, or end the program (asking first while the show is unsaved).
class frmSummaryReport : public Screen {
    Q_OBJECT

  public:
    explicit frmSummaryReport(ScreenContext &context);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    void cmdFullReport_Click();
    void cmdCSVReport_Click();
    void cmdSave_Click();
    void cmdPrint_Click();
    void cmdExit_Click();

    // One panel: a grid of five category columns under their names, with the rows Scores,
    // Blooms, Starred and Result headed by labels named with the panel's number.
    QGroupBox *Panel(int panel, int firstCategory);
    // A box of a category's column, its value centred; hidden, it keeps its place in the grid.
    QLineEdit *ValueBox(const QString &objectName);
    // A button of the row at the bottom, with the tool tip that explains it.
    CommandButton *OutputButton(const QString &objectName, const QString &caption,
                                const QString &tip);

    QLabel *lblHeading;
    ControlArray<QLabel> lblCategory;
    ControlArray<QLineEdit> txtScores;
    ControlArray<QLineEdit> txtBlooms;
    ControlArray<QLineEdit> txtStarred;
    ControlArray<QLineEdit> txtResult;
    QLabel *lblInstructions;
    CommandButton *cmdFullReport;
    CommandButton *cmdCSVReport;
    CommandButton *cmdSave;
    CommandButton *cmdPrint;
    CommandButton *cmdExit;
};

}  // namespace bis
