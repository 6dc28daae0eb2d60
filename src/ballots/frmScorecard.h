#pragma once

#include <cstdint>

#include "app/ControlArray.h"
#include "app/Screen.h"
#include "ballots/Scorecard.h"
#include "files/Journal.h"

namespace bis {

// The judges' scorecard: one judge's ballot at a time. Each score is checked and stored when its
// box is left, and its category's running total is shown in red. The buttons move between the
// judges, drop the last judge, hand the ballots to the summary of results, or end the program.
// What a score is, where the buttons lead and the totals are the scorecard's rules (Scorecard);
// this screen shows what they give. What the Tabulator did goes into the show's journal before
// its handler returns.
class frmScorecard : public Screen {
    Q_OBJECT

  public:
    // The scorecard as it opens after the information check, with every ballot empty. Given
    // where a journal left off, it opens there instead, on the show record the journal rebuilt.
    explicit frmScorecard(ScreenContext &context, const ScorecardState *resumeAt = nullptr);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    // Opens on the judge, boxes, totals and buttons as the journal left them, with the focus in
    // the next eligible box after the one left last, or on Next Judge when none follows.
    void ResumeAt(const ScorecardState &at);
    // Captions the category rows and hides the boxes of the categories without blooms.
    void PrepareCategories();
    void txtJudgeScore_LostFocus(int index);
    void cmdNextJudge_Click();
    void cmdPreviousJudge_Click();
    void cmdRemoveJudge_Click();
    void cmdExit_Click();

    // Shows the judge on screen and the buttons as the rules have them.
    void ShowJudgeAndButtons();
    // Fills the score boxes with the judge's stored scores, or empties them.
    void FillBoxes(ScoreBoxes boxes);
    // The focus goes to the lowest-numbered eligible score box, or to Next Judge when no
    // category is eligible (there is no visible box to take it).
    void FocusFirstEligibleBox();

    Scorecard card;

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
