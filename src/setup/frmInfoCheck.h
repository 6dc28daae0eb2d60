#pragma once

#include "app/Screen.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace bis {

class CommandButton;
class frmSetUp;

// The information check screen: the judge count and the categories with and without an eligible
// entry, for a last look before the ballots. It changes nothing in the show record. Go back shows
// the hidden set-up screen again; Continue unloads it and opens the scorecard.
class frmInfoCheck : public Screen {
    Q_OBJECT

  public:
    // The set-up screen stays loaded, hidden, while this screen is up.
    frmInfoCheck(ScreenContext &context, frmSetUp &setUp);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    void cmdContinue_Click();
    void cmdBack_Click();

    frmSetUp &setUp_;

    QLabel *lblTitle;
    QLabel *lblInstructions;
    QLabel *lblNumJudge;
    QLineEdit *txtNumJudges;
    QLabel *lblEligible;
    QListWidget *lstEligible;
    QLabel *lblIneligible;
    QListWidget *lstIneligible;
    CommandButton *cmdContinue;
    CommandButton *cmdBack;
};

}  // namespace bis
