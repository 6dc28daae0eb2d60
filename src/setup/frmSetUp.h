#pragma once

#include "app/ControlArray.h"
#include "app/Screen.h"

class QLabel;

namespace bis {

class CommandButton;
class TextBox;

// The set-up screen: the show's particulars, the judge count and the bloom counts. Each box is
// stored into the show record when it is left; the two kinds of count are checked then. Continue
// only hides this screen, so Go back on the information check finds every box as typed.
class frmSetUp : public Screen {
    Q_OBJECT

  public:
    explicit frmSetUp(ScreenContext &context);

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    void txtClubName_LostFocus();
    void txtLocation_LostFocus();
    void txtShowDate_LostFocus();
    void txtJudges_LostFocus();
    void txtBlooms_LostFocus(int index);
    void cmdContinue_Click();
    void cmdExit_Click();

    QLabel *Label1;
    QLabel *lblClubName;
    TextBox *txtClubName;
    QLabel *lblLocation;
    TextBox *txtLocation;
    QLabel *lblShowDate;
    TextBox *txtShowDate;
    QLabel *lblJudges;
    TextBox *txtJudges;
    QLabel *lblBlooms;
    ControlArray<QLabel> lblCategory;
    ControlArray<TextBox> txtBlooms;
    QLabel *lblCaution;
    CommandButton *cmdContinue;
    CommandButton *cmdExit;
    QLabel *Label3;
};

}  // namespace bis
