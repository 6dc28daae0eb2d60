#pragma once

#include <cstdint>

#include "app/ControlArray.h"
#include "app/Screen.h"
#include "files/Journal.h"

namespace bis {

// The judges' scorecard: one judge's ballot at a time. Each score is checked and stored when its
// box is left, and its category's running total is shown in red. The buttons move between the
// judges, drop the last judge, hand the ballots to the summary of results, or end the program.
// Every change to the show goes into the show's journal before its handler returns.
class frmScorecard : public Screen {
    Q_OBJECT

  public:
    // The scorecard as it opens after the information check, with every ballot empty. Given
    // where a journal left off, it opens there instead, on the show record the journal rebuilt.
    explicit frmScorecard(ScreenContext &context, const JournalScorecard *resumeAt = nullptr);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    // Opens on the judge, boxes, totals and buttons as the journal left them, with the focus in
    // the next eligible box after the one left last, or on Next Judge when none follows.
    void ResumeAt(const JournalScorecard &at);
    // Captions the category rows and hides the boxes of the categories without blooms.
    void PrepareCategories();
    // Journals where the Tabulator is now, after a button acted: the judge on screen, the judge
    // whose ballot the button marked entered (0 for none) and what the boxes show.
    void JournalPosition(std::int16_t enteredJudge, JournalBoxes boxes);
    void txtJudgeScore_LostFocus(int index);
    void cmdNextJudge_Click();
    void cmdPreviousJudge_Click();
    void cmdRemoveJudge_Click();
    void cmdExit_Click();

    // Sums the category's scores over judges 1..NumJudges into row 0 and shows the total.
    void RecomputeTotal(int category);
    void ShowJudgeNumber();
    // The focus goes to the lowest-numbered eligible score box, or to Next Judge when no
    // category is eligible (there is no visible box to take it).
    void FocusFirstEligibleBox();
    void ShowTabulateResults();

    std::int16_t CurrentJudge = 1;

    QLabel *Label1;
    QLabel *lblJudgeNumber;
    QLineEdit *txtJudgeNumber;
    QLabel *lblInstructions;
    ControlArray<QLabel> lblCategories;
    ControlArray<TextBox> txtJudgeScore;
    ControlArray<QLineEdit> txtCumulativeScore;
    CommandButton *cmdNextJudge;
    CommandButton *cmdPreviousJudge;
    CommandButton *cmdRemoveJudge;
    CommandButton *cmdExit;
};

}  // namespace bis
