#pragma once

#include <cstdint>

#include "app/Screen.h"
#include "platform/ControlArray.h"

namespace bis {

// The judges' scorecard: one judge's ballot at a time. Each score is checked and stored when its
// box is left, and its category's running total is shown in red. The buttons move between the
// judges, drop the last judge, hand the ballots to the summary of results, or end the program.
class frmScorecard : public Screen {
    Q_OBJECT

  public:
    explicit frmScorecard(ScreenContext &context);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
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
